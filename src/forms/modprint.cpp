#include "forms/modprint.h"

#include "core/strings.h"
#include "core/systemerror.h"
#include "setup/modinifile.h"
#include "setup/settingsfile.h"
#include "widgets/qtext.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPixmap>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <climits>
#include <system_error>

namespace kestrel {
namespace {

namespace fs = std::filesystem;

constexpr int kOsVerImageList = 7;
constexpr double kMmPerInch = 25.4;
constexpr double kScreenDpi = 96.0; // 1440 twips an inch, 15 twips a pixel
constexpr double kLeftMm = 10.0, kTopMm = 0.0;
// Far more captures than a learner can take in one second; beyond it something else is wrong.
constexpr int kMaxSameSecond = 999;

bool taken(const fs::path& p) {
    std::error_code ec;
    return fs::exists(fs::symlink_status(p, ec));
}

/// Stores `image` under the first free name of `time` in `folder` and returns that name, or an
/// empty text when the folder cannot take it. Opening with NewOnly makes sure that not even a file
/// appearing between the check and the write is replaced.
std::string storeImage(const QImage& image, const fs::path& folder, const QDateTime& time) {
    const std::string stem = time.toString("yyMMddHHmmss").toStdString();
    for (int n = 1; n <= kMaxSameSecond; ++n) {
        const std::string name = stem + (n == 1 ? std::string() : "_" + std::to_string(n)) + ".BMP";
        const fs::path path = folder / name;
        if (taken(path))
            continue;

        QFile file(qpath(path));
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            if (taken(path))
                continue;
            return {};
        }
        const bool written = image.save(&file, "BMP") && file.flush();
        file.close();
        if (written && file.error() == QFileDevice::NoError)
            return name;
        file.remove(); // a half-written bitmap is no hard copy
        return {};
    }
    return {};
}

} // namespace

QImage captureWindow(QWidget* window, bool activeWindowOnly) {
    if (!window)
        window = QApplication::activeWindow();
    if (activeWindowOnly)
        return window ? window->grab().toImage() : QImage();

    QScreen* screen = window ? window->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->grabWindow(0).toImage() : QImage();
}

int profileInt(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && isAsciiDigit(text[i]); ++i)
        value = std::min<long long>(value * 10 + (text[i] - '0'), INT_MAX);
    return static_cast<int>(negative ? -value : value);
}

QRectF hardCopyPlacementMm(QSize imagePixels, QSizeF printableMm) {
    QSizeF size(imagePixels.width() * kMmPerInch / kScreenDpi,
                imagePixels.height() * kMmPerInch / kScreenDpi);
    const QSizeF room(printableMm.width() - kLeftMm, printableMm.height() - kTopMm);
    if (room.width() > 0 && room.height() > 0 &&
        (size.width() > room.width() || size.height() > room.height()))
        size.scale(room, Qt::KeepAspectRatio);
    return QRectF(QPointF(kLeftMm, kTopMm), size);
}

bool printHardCopy(const QImage& image, QPrinter& printer, MessageService& messages) {
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setDocName(QCoreApplication::translate("HardCopy", "Kestrel ハードコピー"));

    QPainter painter;
    if (!painter.begin(&printer)) {
        messages.showMessage(
            QCoreApplication::translate("HardCopy", "印刷出来ませんでした。プリンタの状態を確認して下さい。")
                .toStdString());
        return false;
    }
    // The painter's origin is the top-left of the printable area, in printer dots.
    const QRectF mm =
        hardCopyPlacementMm(image.size(), printer.pageLayout().paintRect(QPageLayout::Millimeter).size());
    const double dotsPerMm = printer.resolution() / kMmPerInch;
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(mm.topLeft() * dotsPerMm, mm.size() * dotsPerMm), image);
    if (!painter.end() || printer.printerState() == QPrinter::Error) {
        messages.showMessage(
            QCoreApplication::translate("HardCopy", "印刷出来ませんでした。プリンタの状態を確認して下さい。")
                .toStdString());
        return false;
    }
    return true;
}

bool printHardCopy(const QImage& image, MessageService& messages) {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        messages.showMessage(
            QCoreApplication::translate("HardCopy", "プリンタが設定されていないため、印刷出来ませんでした。")
                .toStdString());
        return false;
    }
    QPrinter printer(info, QPrinter::HighResolution);
    return printHardCopy(image, printer, messages);
}

bool Hard_copy(QWidget* window, bool activeWindowOnly, bool askPrint, const HardCopyContext& ctx) {
    const QDateTime time = ctx.now ? ctx.now() : QDateTime::currentDateTime();
    QImage image =
        ctx.capture ? ctx.capture(window, activeWindowOnly) : captureWindow(window, activeWindowOnly);
    if (image.isNull()) {
        ctx.messages.showMessage(
            QCoreApplication::translate("HardCopy", "保存出来ませんでした。").toStdString());
        return false;
    }
    // No transparency in a screen picture; a plain RGB bitmap is what other programs expect.
    image = image.convertToFormat(QImage::Format_RGB32);
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->setImage(image);

    const fs::path folder = ctx.appFolder / "BMP";
    std::error_code ec;
    fs::create_directories(folder, ec);
    const std::string name = ec ? std::string() : storeImage(image, folder, time);
    if (name.empty()) {
        const QString where = QString::fromStdString(folder.string());
        ctx.messages.showMessage(
            (ec ? QCoreApplication::translate("HardCopy",
                                              "画像を保存出来ませんでした。%1 に書き込めません（%2）。")
                      .arg(where, QString::fromStdString(systemErrorText(ec, {})))
                : QCoreApplication::translate("HardCopy", "画像を保存出来ませんでした。%1 に書き込めません。")
                      .arg(where))
                .toStdString());
        return false;
    }

    if (!askPrint ||
        !ctx.messages.askYesNo(QCoreApplication::translate("HardCopy", "%1に保存しました。印刷しますか？")
                                   .arg(QString::fromStdString(name))
                                   .toStdString()))
        return true;

    const int osVer = profileInt(readSetting(ctx.appFolder, Setting::OsVersion));
    if (osVer >= kOsVerImageList) {
        if (ctx.showImageList)
            ctx.showImageList();
    } else if (ctx.print) {
        ctx.print(image);
    } else {
        printHardCopy(image, ctx.messages);
    }
    return true;
}

} // namespace kestrel
