#pragma once

// A display of its own with a real window manager: Xvfb on a free display
// number and openbox on it, for game windows that must meet a frame, the
// focus and Alt+F4 as on a desktop. Windows are found and driven with
// xdotool and read with xwininfo and xprop.

#include <QProcess>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <optional>

class GuiProcess;

class ManagedDisplay {
public:
    ManagedDisplay();
    ~ManagedDisplay();
    ManagedDisplay(const ManagedDisplay&) = delete;
    ManagedDisplay& operator=(const ManagedDisplay&) = delete;

    // Empty when the display and its window manager run; else why they do not.
    const QString& unavailable() const { return unavailable_; }
    // ":N"
    const QString& name() const { return name_; }

    // Points a game window at this display (call before it starts).
    void host(GuiProcess& window) const;
    // The shown top-level window of that process, waiting for it; 0 if none came.
    qulonglong windowOf(qint64 pid, int timeoutMs = 10000) const;
    // The window's outer frame on the screen, as the window manager drew it;
    // empty while it has no frame.
    QRect frameOf(qulonglong window) const;
    // Brings the window to the front with the focus.
    bool activate(qulonglong window) const;
    // Types text (letters) into the focused window; "Return" etc. as keys.
    bool type(const QString& text) const;
    bool key(const QString& keys) const;

private:
    // Runs an X client on this display; its standard output, or nothing when it failed.
    std::optional<QString> run(const QString& program, const QStringList& arguments) const;
    bool startServer();
    bool startWindowManager();

    QString unavailable_;
    QString name_;
    QTemporaryDir config_; // the window manager's own settings: its defaults
    QProcess server_;
    QProcess windowManager_;
};
