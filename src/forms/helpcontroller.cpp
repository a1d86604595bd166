#include "forms/helpcontroller.h"

#include "forms/helpwindow.h"
#include "setup/settingsfile.h"
#include "study/glossary.h"
#include "widgets/qtext.h"

#include <QDesktopServices>
#include <QProcess>

#include <algorithm>
#include <system_error>

namespace kestrel {

std::filesystem::path browserFromSetting(const std::filesystem::path& appDir, const std::string& setting) {
    const QString value = QString::fromStdString(setting).trimmed();
    if (value.isEmpty() || value.compare(kInternalHelp, Qt::CaseInsensitive) == 0)
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

HelpController::HelpController(AppFolders folders, MessageService& messages, QObject* parent)
    : QObject(parent), mFolders(std::move(folders)), mMessages(messages),
      mStartProcess([](const QString& program, const QStringList& arguments) {
          return QProcess::startDetached(program, arguments);
      }),
      mOpenUrl([](const QUrl& url) { return QDesktopServices::openUrl(url); }) {}

HelpController::~HelpController() = default;

std::filesystem::path HelpController::browser() const {
    // A relative browser path counts from the program's own folder.
    return browserFromSetting(mFolders.data, readSetting(mFolders.user, Setting::Browser));
}

void HelpController::toggle() {
    mOn = !mOn;
    writeSetting(mFolders.user, Setting::HelpPointer, mOn ? "True" : "False");
    notifyAll(mOn);
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
            setHelpPointer(mOn);
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

std::string HelpController::missingBrowserMessage(const std::filesystem::path& browser) {
    return tr("ブラウザ %1 が見つかりません（Kestrel.ini の "
              "IEXPLORE）。ヘルプはヘルプウィンドウに表示します。")
        .arg(QString::fromStdString(browser.string()))
        .toStdString();
}

bool HelpController::pagePresent() const {
    std::error_code ec;
    return std::filesystem::is_regular_file(helpFile(), ec);
}

std::filesystem::path HelpController::externalBrowser() {
    const std::filesystem::path program = browser();
    if (program.empty() || browserExists(program))
        return program;
    if (!mMissingBrowserTold) {
        mMissingBrowserTold = true;
        mMessages.showMessage(missingBrowserMessage(program), tr("ﾍﾙﾌﾟ").toStdString());
    }
    return {};
}

void HelpController::showInWindow(const QString& anchor) {
    if (!pagePresent()) {
        mMessages.showMessage(tr(kOpenFailedMessage).toStdString(), tr("ﾍﾙﾌﾟ").toStdString());
        return;
    }
    if (!mWindow) {
        mWindow = std::make_unique<HelpWindow>();
        mWindow->setGlossary(std::make_shared<const Glossary>(Glossary::load(glossaryFile())));
        connect(mWindow.get(), &HelpWindow::glossaryRequested, this, &HelpController::glossaryRequested);
    }
    mWindow->showPage(pageUrl(anchor));
}

void HelpController::openHelp() {
    if (!pagePresent()) {
        mMessages.showMessage(tr(kOpenFailedMessage).toStdString(), tr("ﾍﾙﾌﾟ").toStdString());
        return;
    }
    if (!externalBrowser().empty() && mOpenUrl && mOpenUrl(pageUrl({})))
        return;
    showInWindow({});
}

void HelpController::openAnchor(const QString& anchor) {
    const std::filesystem::path program = externalBrowser();
    if (!program.empty() && mStartProcess && mStartProcess(qpath(program), {helpUrl(anchor)}))
        return;
    showInWindow(anchor);
}

} // namespace kestrel
