#pragma once
// The help page and the help pointer.
//
// The help text is one HTML page, Doc/help.html in the application folder, with one anchor per
// topic ("C43" ... "C103"). The main window's help menu opens the page as a whole ("ヘルプ") and
// switches the help pointer on and off ("ヘルプポインタの表示・非表示"). While the help pointer is
// on, every window shows its yellow "?" help labels; a click on one starts the web browser named
// by the setting IEXPLORE (section CONFIG of Kestrel.ini) at the label's anchor.
//
// The mode is off after every start. Switching it on writes HelpPointer=True to the settings file
// and then checks the browser: when IEXPLORE is empty or does not name an existing file, the mode
// stays off and no label is shown anywhere (the next toggle tries to switch on again). Switching
// off writes HelpPointer=False and hides every label. HelpPointer is a record for the learner's
// settings file only; nothing reads it back.
//
// Windows with help labels register their SetHelpPointer here once; the toggle calls each of them
// in the order they registered. A window applies the mode itself whenever it is shown by calling
// refresh(): its labels are shown only while the mode is on and the browser exists.

#include "core/messageservice.h"
#include "engine/settingkeys.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace kestrel {

/// The browser file that the IEXPLORE setting names: empty for an empty setting; a relative path
/// is taken inside the application folder, so the result does not depend on the working folder.
std::filesystem::path browserFromSetting(const std::filesystem::path& appDir, const std::string& setting);

/// True when `browser` is non-empty and names an existing file (a symbolic link to one counts; a
/// folder does not).
bool browserExists(const std::filesystem::path& browser);

class HelpController : public QObject {
    Q_OBJECT
public:
    /// Starts `program` with `arguments` as a detached process; false when it could not start.
    using ProcessStarter = std::function<bool(const QString& program, const QStringList& arguments)>;
    /// Opens a URL the way the desktop opens documents; false on failure.
    using UrlOpener = std::function<bool(const QUrl& url)>;

    /// The message shown when the help page cannot be opened.
    static constexpr const char* kOpenFailedMessage =
        "エラーが発生しました　正しいフォルダ名を指定して下さい";

    /// `appDir` holds Kestrel.ini and Doc/help.html. Processes start through
    /// QProcess::startDetached and the page opens through QDesktopServices until replaced.
    HelpController(std::filesystem::path appDir, MessageService& messages, QObject* parent = nullptr);

    /// The help pointer is on: labels are shown.
    bool modeOn() const { return mOn; }

    /// "ヘルプポインタの表示・非表示": switches the mode off when it is on, otherwise tries to switch
    /// it on (see the file comment), and passes the result to every registered window.
    void toggle();

    /// Registers a window's SetHelpPointer. Registering the same window again replaces its
    /// procedure. The window is forgotten when it is destroyed. Registering does not call the
    /// procedure; the window calls refresh() when it is shown.
    void registerWindow(QObject* window, std::function<void(bool)> setHelpPointer);

    /// A registered window is being shown: its SetHelpPointer gets true when the mode is on and
    /// the browser exists, false otherwise. An unknown window is left alone.
    void refresh(QObject* window);

    /// The message shown when the page exists but could not be opened and the browser that
    /// IEXPLORE names is missing: it names the browser (or the empty setting) and the page.
    static std::string missingBrowserMessage(const std::filesystem::path& browser,
                                             const std::filesystem::path& page);

    /// "ヘルプ": opens Doc/help.html. A missing page shows kOpenFailedMessage with the title
    /// "ﾍﾙﾌﾟ"; so does a desktop that cannot open the page, unless the browser named by IEXPLORE
    /// is missing, which missingBrowserMessage() then says.
    void openHelp();

    /// A help label was clicked: starts the browser named by IEXPLORE with the page's file URL and
    /// `anchor` as fragment ("file:///…/Doc/help.html#C51"). Nothing happens, and nothing is
    /// shown, when the setting is empty or the browser does not start.
    void openAnchor(const QString& anchor);

    /// The page's file URL, with `anchor` as its fragment when not empty, fully encoded.
    QString helpUrl(const QString& anchor = {}) const;
    std::filesystem::path helpFile() const { return mAppDir / "Doc" / "help.html"; }
    std::filesystem::path settingsFile() const { return settingsPath(mAppDir); }
    /// The browser named by IEXPLORE, read from the settings file now.
    std::filesystem::path browser() const;

    void setProcessStarter(ProcessStarter starter) { mStartProcess = std::move(starter); }
    void setUrlOpener(UrlOpener opener) { mOpenUrl = std::move(opener); }

private:
    struct Entry {
        QPointer<QObject> window;
        std::function<void(bool)> setHelpPointer;
    };

    void notifyAll(bool visible);
    QUrl pageUrl(const QString& anchor) const;

    std::filesystem::path mAppDir;
    MessageService& mMessages;
    bool mOn = false;
    std::vector<Entry> mWindows;
    ProcessStarter mStartProcess;
    UrlOpener mOpenUrl;
};

} // namespace kestrel
