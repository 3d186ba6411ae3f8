#include "Settings/DesktopPrompts.h"

#include "Theme/AlertStyle.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>

#include <memory>

DesktopPrompts &DesktopPrompts::shared()
{
    static DesktopPrompts prompts;
    return prompts;
}

std::optional<QString> DesktopPrompts::saveCsv(QWidget *parent, const QString &title, const QString &suggestedName)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty())
        folder = QDir::homePath();
    QFileDialog dialog(parent, title, QDir(folder).filePath(suggestedName), QStringLiteral("CSV (*.csv)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    dialog.setFileMode(QFileDialog::AnyFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const QString path = dialog.selectedFiles().constFirst();
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

bool DesktopPrompts::confirm(QWidget *parent, const QString &title, const QString &text, const QString &cancel,
                             const QString &proceed)
{
    // The window's own question box, as every other question of the window.
    QList<QAbstractButton *> buttons;
    std::unique_ptr<QMessageBox> box(AlertStyle::questionBox(parent, {title, text, {cancel, proceed}, 1}, &buttons));
    box->setWindowModality(Qt::ApplicationModal);
    box->exec();
    return box->clickedButton() == buttons.at(1);
}
