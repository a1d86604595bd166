#include "forms/helpcontroller.h"

#include "setup/settingsfile.h"
#include "widgets/qtext.h"

#include <QDesktopServices>
#include <QProcess>

#include <algorithm>
#include <system_error>

namespace kestrel {

std::filesystem::path browserFromSetting(const std::filesystem::path& appDir, const std::string& setting) {
    if (setting.empty())
        return {};
    std::filesystem::path p(setting);
    return p.is_absolute() ? p : appDir / p;
}

bool browserExists(const std::filesystem::path& browser) {
    if (browser.empty())
        return false;
    std::error_code ec;
    return std::filesystem::is_regular_file(browser, ec);
}

HelpController::HelpController(std::filesystem::path appDir, MessageService& messages, QObject* parent)
    : QObject(parent), mAppDir(std::move(appDir)), mMessages(messages),
      mStartProcess([](const QString& program, const QStringList& arguments) {
          return QProcess::startDetached(program, arguments);
      }),
      mOpenUrl([](const QUrl& url) { return QDesktopServices::openUrl(url); }) {}

std::filesystem::path HelpController::browser() const {
    return browserFromSetting(mAppDir, readSetting(mAppDir, Setting::Browser));
}

void HelpController::toggle() {
    if (!mOn) {
        writeSetting(mAppDir, Setting::HelpPointer, "True");
        // Without a browser the labels would lead nowhere: the mode stays off.
        if (!browserExists(browser()))
            return;
        mOn = true;
        notifyAll(true);
    } else {
        writeSetting(mAppDir, Setting::HelpPointer, "False");
        mOn = false;
        notifyAll(false);
    }
}

void HelpController::registerWindow(QObject* window, std::function<void(bool)> setHelpPointer) {
    if (!window || !setHelpPointer)
        return;
    for (Entry& e : mWindows) {
        if (e.window == window) {
            e.setHelpPointer = std::move(setHelpPointer);
            return;
        }
    }
    mWindows.push_back({window, std::move(setHelpPointer)});
    connect(window, &QObject::destroyed, this, [this](QObject* gone) {
        std::erase_if(mWindows, [gone](const Entry& e) { return e.window.isNull() || e.window == gone; });
    });
}

void HelpController::refresh(QObject* window) {
    for (const Entry& e : mWindows) {
        if (e.window == window && window) {
            const auto setHelpPointer = e.setHelpPointer; // the call may register or destroy windows
            setHelpPointer(mOn && browserExists(browser()));
            return;
        }
    }
}

void HelpController::notifyAll(bool visible) {
    // A window's procedure may close, destroy or register windows: walk a copy and skip the dead.
    const std::vector<Entry> windows = mWindows;
    for (const Entry& e : windows)
        if (!e.window.isNull())
            e.setHelpPointer(visible);
}

QUrl HelpController::pageUrl(const QString& anchor) const {
    std::error_code ec;
    std::filesystem::path file = std::filesystem::absolute(helpFile(), ec);
    if (ec)
        file = helpFile();
    QUrl url = QUrl::fromLocalFile(qpath(file.lexically_normal()));
    if (!anchor.isEmpty())
        url.setFragment(anchor);
    return url;
}

QString HelpController::helpUrl(const QString& anchor) const {
    return pageUrl(anchor).toString(QUrl::FullyEncoded);
}

std::string HelpController::missingBrowserMessage(const std::filesystem::path& browser,
                                                  const std::filesystem::path& page) {
    const std::string which = browser.empty() ? "Kestrel.ini の IEXPLORE にブラウザが指定されていません。"
                                              : "ブラウザ " + browser.string() + " が見つかりません。";
    return "ヘルプを開けませんでした。" + which + "\nヘルプファイル：" + page.string();
}

void HelpController::openHelp() {
    std::error_code ec;
    const bool present = std::filesystem::is_regular_file(helpFile(), ec);
    if (present && mOpenUrl && mOpenUrl(pageUrl({})))
        return;
    // The desktop opens the page through the configured browser; without it the folder is fine
    // and the learner needs to know what is missing, and where the page is to open it by hand.
    const std::filesystem::path program = browser();
    if (present && !browserExists(program)) {
        std::filesystem::path page = std::filesystem::absolute(helpFile(), ec);
        mMessages.showMessage(missingBrowserMessage(program, ec ? helpFile() : page.lexically_normal()),
                              "ﾍﾙﾌﾟ");
        return;
    }
    mMessages.showMessage(kOpenFailedMessage, "ﾍﾙﾌﾟ");
}

void HelpController::openAnchor(const QString& anchor) {
    const std::filesystem::path program = browser();
    if (program.empty() || !mStartProcess)
        return;
    mStartProcess(qpath(program), {helpUrl(anchor)});
}

} // namespace kestrel
