// The image list's delete and idle close are the project list's own, tested there.

#include "forms/dialog3.h"
#include "forms/modprint.h"

#include "engine/fakes.h"
#include "english.h"
#include "guiapp.h"
#include "setup/modinifile.h"
#include "tempfolder.h"

#include <QImageReader>
#include <QPrinterInfo>

#include <climits>

namespace kestrel {
namespace {

namespace fs = std::filesystem;

const QDateTime kTime(QDate(2026, 12, 6), QTime(17, 45, 1)); // "261206174501"

using test::activate, test::click, test::listed, test::namesIn, test::readBytes, test::writeBytes;

QString selected(const QListWidget* list) {
    const auto items = list->selectedItems();
    return items.isEmpty() ? QString() : items.front()->text();
}

class HardCopy : public test::GuiTest {
protected:
    void SetUp() override {
        window.setFixedSize(321, 123);
        window.setAutoFillBackground(true);
        window.setPalette(QPalette(QColor(255, 0, 0))); // the window red
    }

    fs::path bmp() const { return app / "BMP"; }

    /// A context with the clock at `time`, counting prints and list showings.
    HardCopyContext context(const QDateTime& time = kTime) {
        return HardCopyContext{.appFolder = app,
                               .messages = messages,
                               .now = [time] { return time; },
                               .print = [this](const QImage& image) { printed.push_back(image); },
                               .showImageList = [this] { ++listShown; }};
    }

    test::TempFolder folder{"kestrel-hardcopy"};
    const fs::path app = folder.path();
    test::FakeMessages messages;
    QWidget window;
    std::vector<QImage> printed;
    int listShown = 0;
};

TEST_F(HardCopy, StoresEachCaptureAsABitmapNamedByItsTimeAndNeverOverwrites) {
    ASSERT_FALSE(fs::exists(bmp()));
    EXPECT_TRUE(Hard_copy(&window, true, false, context())); // no question without askPrint
    const fs::path first = bmp() / "261206174501.BMP";
    QImageReader reader(QString::fromStdString(first.string()));
    EXPECT_EQ(reader.format(), "bmp");
    const QImage back = reader.read();
    EXPECT_EQ(std::pair(back.size(), back.pixelColor(160, 60)),
              std::pair(QSize(321, 123), QColor(255, 0, 0)));
    // Single digits keep their zero: 2027-01-02 03:04:05.
    EXPECT_TRUE(Hard_copy(&window, true, false, context(QDateTime(QDate(2027, 1, 2), QTime(3, 4, 5)))));

    // Captures within one second are all kept, each named in the question; "No" prints nothing.
    const std::string firstBytes = readBytes(first);
    window.setFixedSize(50, 40); // a different picture, so a replaced file would show
    messages.answers = {false, false};
    ASSERT_TRUE(Hard_copy(&window, true, true, context()));
    ASSERT_TRUE(Hard_copy(&window, true, true, context()));
    EXPECT_EQ(namesIn(bmp()), (std::set<std::string>{"261206174501.BMP", "261206174501_2.BMP",
                                                     "261206174501_3.BMP", "270102030405.BMP"}));
    EXPECT_EQ(std::pair(readBytes(first),
                        QImage(QString::fromStdString((bmp() / "261206174501_2.BMP").string())).size()),
              std::pair(firstBytes, QSize(50, 40)));
    EXPECT_EQ(messages.shown, (std::vector<std::string>{"261206174501_2.BMPに保存しました。印刷しますか？",
                                                        "261206174501_3.BMPに保存しました。印刷しますか？"}));
    EXPECT_EQ(std::pair(printed.size(), listShown), std::pair(std::size_t(0), 0));
}

TEST_F(HardCopy, YesPrintsOrShowsTheListByOsVer) {
    // OSver (none: no settings file at all), pages printed, list showings.
    const std::tuple<const char*, int, int> cases[] = {{nullptr, 1, 0}, {"6", 1, 0}, {" 7.5", 0, 1}};
    int second = 0;
    for (const auto& [osVer, prints, lists] : cases) {
        SCOPED_TRACE(osVer ? osVer : "(missing)");
        if (osVer)
            ASSERT_TRUE(WriteProfileValue(app / "Kestrel.ini", "CONFIG", "OSver", osVer));
        else
            fs::remove(app / "Kestrel.ini");
        printed.clear();
        listShown = 0;
        messages.answers = {true};
        const bool stored = Hard_copy(&window, true, true, context(kTime.addSecs(++second)));
        EXPECT_EQ(std::tuple(stored, int(printed.size()), listShown), std::tuple(true, prints, lists));
        for (const QImage& page : printed)
            EXPECT_EQ(std::pair(page.size(), page.pixelColor(10, 10)),
                      std::pair(window.size(), QColor(255, 0, 0)));
    }
    EXPECT_EQ(namesIn(bmp()).size(), std::size(cases));
}

TEST_F(HardCopy, NothingCapturedOrNowhereToStoreIsReportedAndStoresNothing) {
    HardCopyContext ctx = context();
    ctx.capture = [](QWidget*, bool) { return QImage(); };
    EXPECT_FALSE(Hard_copy(&window, true, true, ctx));
    EXPECT_EQ(std::pair(messages.shown, fs::exists(bmp())),
              std::pair(std::vector<std::string>{"保存出来ませんでした。"}, false));

    // A plain file where the folder should be: told, no question, nothing printed, the file intact.
    messages.shown.clear();
    writeBytes(bmp(), "not a folder");
    EXPECT_FALSE(Hard_copy(&window, true, true, context()));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(std::tuple(messages.shown[0].find("保存出来ませんでした") != std::string::npos,
                         readBytes(bmp()), namesIn(app), printed.empty()),
              std::tuple(true, "not a folder", std::set<std::string>{"BMP"}, true));
}

TEST_F(HardCopy, PrintedPageHoldsTheImageTenMillimetresFromTheLeft) {
    // 96 pixels an inch: 480 pixels are 5 inches, 127 mm.
    EXPECT_EQ(hardCopyPlacementMm(QSize(480, 240), QSizeF(287, 200)), QRectF(10, 0, 127, 63.5));
    // Too wide for the 277 mm beside the margin: smaller, the same shape, nothing cut off.
    EXPECT_EQ(hardCopyPlacementMm(QSize(1920, 384), QSizeF(287, 200)), QRectF(10, 0, 277, 277.0 / 5));

    // Without a printer the learner is told rather than left waiting for a page.
    if (QPrinterInfo::defaultPrinter().isNull()) {
        EXPECT_FALSE(printHardCopy(window.grab().toImage(), messages));
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_NE(messages.shown[0].find("印刷出来ませんでした"), std::string::npos);
    }

    EXPECT_EQ(std::pair(profileInt("12abc"), profileInt("99999999999999")), std::pair(12, INT_MAX));
}

TEST_F(HardCopy, TheImageListListsTheImagesOldestFirstAndSelectsTheNewest) {
    QWidget elsewhere;
    std::vector<QUrl> opened;
    bool openSucceeds = true;
    Dialog3 d(app, messages);
    d.setOpener([&](const QUrl& url) {
        opened.push_back(url);
        return openSucceeds;
    });
    elsewhere.show();

    // No folder, then an empty one: an empty list, nothing selected, the buttons do nothing.
    for (int pass = 0; pass < 2; ++pass) {
        d.openList();
        EXPECT_EQ(d.File1()->count(), 0);
        click(&d, "OKButton");
        click(&d, "Command1");
        EXPECT_TRUE(opened.empty() && messages.shown.empty());
        d.reject();
        fs::create_directories(bmp());
    }

    for (const char* name :
         {"261206174501_2.BMP", "261206174501.BMP", "251231235959.bmp", "notes.txt", ".h.BMP"})
        writeBytes(bmp() / name, "x");
    fs::create_directories(bmp() / "folder.BMP");

    d.openList();
    activate(&d);
    EXPECT_EQ(std::pair(listed(d.File1()), selected(d.File1())),
              std::pair(QStringList{"251231235959.bmp", "261206174501.BMP", "261206174501_2.BMP"},
                        QString("261206174501_2.BMP")));

    // A new capture while the list is open: back in the list, the newest is selected again.
    d.File1()->setCurrentRow(0);
    activate(&elsewhere);
    ASSERT_TRUE(Hard_copy(&window, true, false, context(kTime.addSecs(60))));
    activate(&d);
    EXPECT_EQ(selected(d.File1()), "261206174601.BMP");

    // 開く and a double click open the selected file of the BMP folder.
    click(&d, "OKButton");
    d.File1()->setCurrentRow(1);
    QListWidgetItem* item = d.File1()->item(1);
    QTest::mouseClick(d.File1()->viewport(), Qt::LeftButton, {}, d.File1()->visualItemRect(item).center());
    QTest::mouseDClick(d.File1()->viewport(), Qt::LeftButton, {}, d.File1()->visualItemRect(item).center());
    auto url = [&](const char* name) {
        return QUrl::fromLocalFile(QString::fromStdString((bmp() / name).string()));
    };
    EXPECT_EQ(opened, (std::vector<QUrl>{url("261206174601.BMP"), url("261206174501.BMP")}));

    openSucceeds = false;
    click(&d, "OKButton");
    EXPECT_EQ(std::tuple(messages.shown, messages.titles, d.isVisible()),
              std::tuple(std::vector<std::string>{"エラーが発生しました　正しいフォルダ名を指定して下さい"},
                         std::vector<std::string>{"ﾊｰﾄﾞｺﾋﾟｰ"}, true));

    click(&d, "CancelButton");
    EXPECT_FALSE(d.isVisible());
}

TEST_F(HardCopy, TheImageListFitsInBothLanguagesAndAnUnwritableFolderIsToldInEnglish) {
    auto cut = [&] {
        Dialog3 d(app, messages);
        d.openList();
        QApplication::processEvents();
        const std::vector<std::string> texts = test::clippedTexts(&d);
        return texts.empty() ? std::string() : texts.front();
    };
    EXPECT_EQ(cut(), "");
    const test::EnglishScope english;
    ASSERT_TRUE(english.loaded());
    EXPECT_EQ(cut(), "");
    writeBytes(bmp(), "not a folder");
    EXPECT_FALSE(Hard_copy(&window, true, true, context()));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].rfind(
                  "The image could not be saved: " + bmp().string() + " cannot be written (", 0),
              0u)
        << messages.shown[0];
}

} // namespace
} // namespace kestrel
