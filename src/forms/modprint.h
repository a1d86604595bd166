#pragma once
// modPrint: the hard copy behind every "ﾊｰﾄﾞｺﾋﾟｰ" button. The window (or the whole screen) is
// captured, stored as a Windows bitmap in the BMP folder of the application folder under the
// capture time, "yymmddhhmmss.BMP", and offered for printing.
//
// A stored image is never replaced: a second capture within the same second keeps the name
// pattern and adds a counter, "yymmddhhmmss_2.BMP", "_3", ..., so the names still sort by time.
// A capture that could not be stored says so and offers nothing to print.

#include "core/messageservice.h"

#include <QDateTime>
#include <QImage>
#include <QRectF>
#include <QSizeF>

#include <filesystem>
#include <functional>
#include <string>

class QPrinter;
class QWidget;

namespace kestrel {

/// What a hard copy needs from its owner. Empty hooks take the real behaviour.
struct HardCopyContext {
    /// The application folder: Kestrel.ini (CONFIG/OSver) and the BMP folder live there.
    std::filesystem::path appFolder;
    MessageService& messages;
    /// The capture time that names the file; empty: the wall clock.
    std::function<QDateTime()> now = {};
    /// Prints the stored image and tells the learner about a failure itself; empty: printHardCopy
    /// on the default printer.
    std::function<void(const QImage&)> print = {};
    /// Shows the image list (not modal) with its help labels applied; empty: nothing is shown.
    std::function<void()> showImageList = {};
    /// Takes the picture (window, activeWindowOnly); empty: captureWindow. A null image means
    /// nothing could be captured.
    std::function<QImage(QWidget*, bool)> capture = {};
};

/// Captures, stores and offers to print.
///  - activeWindowOnly: the window itself (every "ﾊｰﾄﾞｺﾋﾟｰ" button passes its own window; a null
///    window stands for the application's active window); otherwise the whole screen.
///  - Nothing captured: "保存出来ませんでした。" and false.
///  - The BMP folder is created when missing. When it cannot be created or written the learner is
///    told that the image was not stored, false is returned and no partial file is left behind.
///  - askPrint: "<file name>に保存しました。印刷しますか？" (the name as stored, without the
///    folder). On Yes, CONFIG/OSver of Kestrel.ini as an integer (missing or not a number: 0)
///    decides: 7 or more shows the image list, less prints.
/// The captured picture is also left on the clipboard. Returns true when the image was stored.
bool Hard_copy(QWidget* window, bool activeWindowOnly, bool askPrint, const HardCopyContext& ctx);

/// The capture: window->grab() (the client area, without the frame), or the whole screen the
/// window is on. Null when there is nothing to capture.
QImage captureWindow(QWidget* window, bool activeWindowOnly);

/// The integer of a settings value as the profile reader's integer read takes it: blanks, an
/// optional sign, then the leading digits; "7.5" reads 7, "abc" and "" read 0.
int profileInt(const std::string& text);

/// Where the image goes on the page, in millimetres from the top-left of the printable area:
/// 10 mm from the left, 0 mm from the top, at screen size (96 pixels an inch, as 15 twips a
/// pixel), made smaller, never larger, when the page could not hold it.
QRectF hardCopyPlacementMm(QSize imagePixels, QSizeF printableMm);

/// Prints `image` on the default printer, A4 landscape, placed by hardCopyPlacementMm. Without a
/// printer, or when the printer refuses the job, tells the learner and returns false.
bool printHardCopy(const QImage& image, MessageService& messages);

/// The same on a given printer (a PDF file in tests), which is set to A4 landscape first.
bool printHardCopy(const QImage& image, QPrinter& printer, MessageService& messages);

} // namespace kestrel
