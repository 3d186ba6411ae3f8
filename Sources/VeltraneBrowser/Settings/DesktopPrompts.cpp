#include "Settings/DesktopPrompts.h"

#include "Theme/AlertStyle.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>

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
    QMessageBox box(parent);
    box.setWindowModality(Qt::ApplicationModal);
    box.setIcon(QMessageBox::Warning);
    box.setTextFormat(Qt::PlainText);
    AlertStyle::apply(&box);
    box.setText(title);
    box.setInformativeText(text);
    QPushButton *no = box.addButton(cancel, QMessageBox::RejectRole);
    QPushButton *yes = box.addButton(proceed, QMessageBox::DestructiveRole);
    box.setDefaultButton(no);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}
