#pragma once
// The one main window: "Glimora", 1440 x 900 unless the screen is smaller or another size was
// kept from the last run, never smaller than 1200 x 720 (or the screen). Closing it ends the run.

#include <QMainWindow>

#include <optional>

class AppSettings;
class AppState;
class WorkspaceView;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    struct Frame {
        QSize size;
        QSize minimum;
    };
    // The window's size on a screen whose free area is `available`, from the size kept last time.
    static Frame frame(const QSize &available, const std::optional<QSize> &stored);
    static constexpr QSize defaultSize{1440, 900};
    static constexpr QSize minimumFrame{1200, 720};

    MainWindow(AppState *state, AppSettings *settings, QWidget *parent = nullptr);

    WorkspaceView *workspace() const { return m_workspace; }
    // Keeps the size and the maximised state for the next run.
    void saveFrame();
    // Sizes the window for the screen it opens on.
    void placeOnScreen();

protected:
    void closeEvent(QCloseEvent *) override;

private:
    AppSettings *m_settings;
    WorkspaceView *m_workspace;
};
