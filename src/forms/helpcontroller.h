#pragma once
// The help page and the help pointer.
//
// The help text is one HTML page, Doc/help.html in the application folder, with one anchor per
// topic ("C43" ... "C103"). The main window's help menu opens the page as a whole ("ヘルプ") and
// switches the help pointer on and off ("ヘルプポインタの表示・非表示"). While the help pointer is
// on, every window shows its yellow "?" help labels; a click on one opens the page at the label's
// anchor.
//
// Where the page is shown follows the setting IEXPLORE (section CONFIG of Kestrel.ini): "internal"
// (the shipped value), an empty value or no value show it in the program's own help window; a
// browser named there is started with the page's URL. A named browser that does not exist falls
// back to the help window, and the learner is told so once per run; so does a browser that cannot
// be started, without a word. "ヘルプ" with a named browser opens the page the way the desktop
// opens documents, and the help window shows it when the desktop cannot.
//
// The mode is off after every start. Switching it on or off writes HelpPointer=True or False to
// the settings file and shows or hides every label; since the help window can always show the
// page, the labels do not depend on the browser. HelpPointer is a record for the learner's
// settings file only; nothing reads it back.
//
// The help window links the page's textbook terms to the glossary (Doc/glossary.tsv); following
// such a link is passed on as glossaryRequested.
//
// Windows with help labels register their SetHelpPointer here once; the toggle calls each of them
// in the order they registered. A window applies the mode itself whenever it is shown by calling
// refresh().

#include "core/messageservice.h"
#include "engine/settingkeys.h"
#include "setup/appfolders.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kestrel {

/// The IEXPLORE value that asks for the program's own help window.
inline constexpr const char* kInternalHelp = "internal";

/// The browser file that the IEXPLORE setting names: empty for an empty setting and for "internal"
/// (in any letter case, blanks around it ignored); a relative path is taken inside the application
/// folder, so the result does not depend on the working folder.
std::filesystem::path browserFromSetting(const std::filesystem::path& appDir, const std::string& setting);

/// True when `browser` is non-empty and names an existing file (a symbolic link to one counts; a
/// folder does not).
bool browserExists(const std::filesystem::path& browser);

class HelpWindow;

class HelpController : public QObject {
    Q_OBJECT
public:
    /// Starts `program` with `arguments` as a detached process; false when it could not start.
    using ProcessStarter = std::function<bool(const QString& program, const QStringList& arguments)>;
    /// Opens a URL the way the desktop opens documents; false on failure.
    using UrlOpener = std::function<bool(const QUrl& url)>;

    /// The message shown when the help page cannot be opened.
    static constexpr const char* kOpenFailedMessage =
        QT_TR_NOOP("エラーが発生しました　正しいフォルダ名を指定して下さい");

    /// The settings (Kestrel.ini) are the learner's, the page (Doc/help.html) is among the program's
    /// data. Processes start through QProcess::startDetached and the page opens through
    /// QDesktopServices until replaced.
    HelpController(AppFolders folders, MessageService& messages, QObject* parent = nullptr);
    /// Both in one application folder.
    HelpController(const std::filesystem::path& appDir, MessageService& messages, QObject* parent = nullptr)
        : HelpController(AppFolders::portable(appDir), messages, parent) {}
    ~HelpController() override;

    /// The help pointer is on: labels are shown.
    bool modeOn() const { return mOn; }

    /// "ヘルプポインタの表示・非表示": switches the mode on or off and passes it to every
    /// registered window.
    void toggle();

    /// Registers a window's SetHelpPointer. Registering the same window again replaces its
    /// procedure. The window is forgotten when it is destroyed. Registering does not call the
    /// procedure; the window calls refresh() when it is shown.
    void registerWindow(QObject* window, std::function<void(bool)> setHelpPointer);

    /// A registered window is being shown: its SetHelpPointer gets the mode. An unknown window is
    /// left alone.
    void refresh(QObject* window);

    /// The note shown, once per run, when IEXPLORE names a browser that does not exist.
    static std::string missingBrowserMessage(const std::filesystem::path& browser);

    /// "ヘルプ": shows Doc/help.html from its top. A missing page shows kOpenFailedMessage with the
    /// title "ﾍﾙﾌﾟ".
    void openHelp();

    /// A help label was clicked: shows the page at `anchor`, in the help window or by starting the
    /// browser named by IEXPLORE with the page's file URL and the anchor as fragment
    /// ("file:///…/Doc/help.html#C51"). A missing page shows kOpenFailedMessage when the help window
    /// would show it; a browser is started all the same and says so itself.
    void openAnchor(const QString& anchor);

    /// The page's file URL, with `anchor` as its fragment when not empty, fully encoded.
    QString helpUrl(const QString& anchor = {}) const;
    std::filesystem::path helpFile() const { return mFolders.helpFile(); }
    std::filesystem::path settingsFile() const { return settingsPath(mFolders.user); }
    /// The browser named by IEXPLORE, read from the settings file now; empty for the help window.
    std::filesystem::path browser() const;
    /// The help window, once help has been shown in it; the same window every time.
    HelpWindow* window() const { return mWindow.get(); }

    std::filesystem::path glossaryFile() const { return mFolders.glossaryFile(); }

    void setProcessStarter(ProcessStarter starter) { mStartProcess = std::move(starter); }
    void setUrlOpener(UrlOpener opener) { mOpenUrl = std::move(opener); }

signals:
    /// A glossary link in the help window was followed: the glossary at the term with that id.
    void glossaryRequested(const QString& id);

private:
    struct Entry {
        QPointer<QObject> window;
        std::function<void(bool)> setHelpPointer;
    };

    void notifyAll(bool visible);
    QUrl pageUrl(const QString& anchor) const;
    bool pagePresent() const;
    /// The browser to start, or empty for the help window (saying once why, when one is missing).
    std::filesystem::path externalBrowser();
    void showInWindow(const QString& anchor);

    AppFolders mFolders;
    MessageService& mMessages;
    bool mOn = false;
    std::vector<Entry> mWindows;
    ProcessStarter mStartProcess;
    UrlOpener mOpenUrl;
    std::unique_ptr<HelpWindow> mWindow;
    bool mMissingBrowserTold = false;
};

} // namespace kestrel
