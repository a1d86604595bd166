#pragma once
// frmAbout, the version window of the help menu ("ﾊﾞｰｼﾞｮﾝ情報"): the product's title and
// subtitle, the version number of this build, a one-line description, the rights lines and the
// warning that the simulator is a teaching model. It is shown without blocking the other windows
// and closes with "OK" or as soon as another window becomes active. It does not delete itself;
// the owner may keep one instance and show it again.

#include <QDialog>
#include <QPixmap>
#include <QString>

class QLabel;
class QPushButton;

namespace kestrel {

class frmAbout : public QDialog {
    Q_OBJECT
public:
    /// The application title of the caption and the product title of lblTitle.
    static constexpr const char* kTitle = "Kestrel";
    static constexpr const char* kSubtitle = QT_TR_NOOP("PID制御 学習シミュレータ");

    explicit frmAbout(QWidget* parent = nullptr);

    /// "major.minor.revision" from a build version such as "0.1.0": missing parts read as 0,
    /// parts after the third are left out, a part that is not a number reads as 0.
    static QString versionNumber(const QString& buildVersion);
    /// The version of this build, as versionNumber() gives it.
    static QString buildVersion();
    /// The window's icon: a trend chart with a set-point step and the damped answer of the loop,
    /// `size` pixels square.
    static QPixmap drawIcon(int size);

    QLabel* lblTitle() const { return mLblTitle; }
    QLabel* lblVersion() const { return mLblVersion; }
    QLabel* lblDescription() const { return mLblDescription; }
    QLabel* lblRights() const { return mLblRights; }
    QLabel* lblDisclaimer() const { return mLblDisclaimer; }
    QPushButton* cmdOK() const { return mCmdOK; }

protected:
    void changeEvent(QEvent* event) override;

private:
    QLabel* mPicIcon = nullptr;
    QLabel* mLblTitle = nullptr;
    QLabel* mLblVersion = nullptr;
    QLabel* mLblDescription = nullptr;
    QLabel* mLblRights = nullptr;
    QLabel* mLblDisclaimer = nullptr;
    QPushButton* mCmdOK = nullptr;
};

} // namespace kestrel
