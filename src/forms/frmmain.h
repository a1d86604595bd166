#pragma once
// frmMAIN, the main window: the control loop as a block diagram on the control-type tab, the four
// parameter groups (controller, process, disturbance, feedforward) with OK and Cancel, the loop
// structure ("制御構造") under the process's fields, the buttons and menu items of the
// process-detail and secondary-loop windows, and the menus that open every other window.
// It is the first window and closing it ends the program.

#include "engine/appstate.h"
#include "engine/settingkeys.h"
#include "setup/setupdocument.h"
#include "widgets/helplabel.h"

#include <QMainWindow>

#include <array>
#include <filesystem>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTimer;

namespace kestrel {

class BlockDiagram;
class frmController;
class frmProcessDetail;
class frmSecondaryLoop;

/// A lesson of the study menu: menu item name, menu caption, file in Study, study window caption
/// (the captions are the Japanese sources, shown through frmMAIN::tr).
struct LessonItem {
    const char* item;
    const char* menuCaption;
    const char* file;
    const char* caption;
};

class frmMAIN : public QMainWindow {
    Q_OBJECT
public:
    frmMAIN(AppState& state, SetupDocument& document, MessageService& messages, frmController& panel,
            QWidget* parent = nullptr);
    ~frmMAIN() override;

    /// The lessons of the study menu, chapter by chapter.
    static const std::array<LessonItem, 13>& lessons();

    QLineEdit* field(Field f) { return mFields[f]; }
    QTabWidget* ContTypeTab() { return mTab; }
    QPushButton* cmdTip() { return mCmdTip; }
    /// The "プロセス詳細" group's window (noise, sensor filter, valve, process type).
    frmProcessDetail* processDetail() { return mProcessDetail; }
    /// The "二次ループ" window (the secondary controller and the inner part of the process).
    frmSecondaryLoop* secondaryLoop() { return mSecondaryLoop; }
    /// Opens a lesson as its menu item does.
    void openLesson(int index);
    /// The study window's "ﾊﾟﾗﾒｰﾀ設定" starts the 50-ms return prompt.
    void startReturnPrompt();
    void SetHelpPointer(bool visible);

signals:
    /// A lesson or project was chosen: the study window shows it with this caption.
    void studyRequested(const QString& caption);
    /// "学習表示": back to the study window.
    void lessonRequested();
    void editorRequested();
    void newProjectRequested();
    void openProjectRequested();
    void imageListRequested();
    /// "解析" > "ラン解析...": the analysis window.
    void analysisRequested();
    /// "学習(S)" > "挑戦...": the challenge window.
    void challengeRequested();
    /// "調整(T)" > "調整ワークベンチ...": the tuning workbench.
    void tuningRequested();
    void helpDocumentRequested();
    void helpPointerToggled();
    /// "色覚に配慮したペン色" or "ランを線種で区別" was switched: the charts draw again.
    void chartOptionsChanged();
    /// "ﾍﾙﾌﾟ(H)" > "用語集 / Glossary...": the glossary window.
    void glossaryRequested();
    void versionRequested();
    /// "表示" > "Language/言語": the learner chose a language ("en", or empty for Japanese).
    void languageRequested(const QString& language);
    void printRequested();
    void helpRequested(const QString& anchor);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void buildDiagram();
    void buildGroups();
    QGroupBox* buildGroup(FieldGroup group, const QString& title, const char* name, double left, double top,
                          double width, double height);
    void onDocumentChanged(SetupChange what, int index);
    void showField(Field f);
    void showVisibility();
    /// The process type, valve, sensor and loop structure of every page, from the values in force.
    void showProcessDetail();
    void showLoopStructure();
    void setKeyboardOrder();
    /// Switches a chart option of the settings file and tells the charts.
    void setChartOption(Setting key, bool& option, bool on);

    AppState& mState;
    SetupDocument& mDocument;
    MessageService& mMessages;
    frmController& mPanel;
    int mListener = 0;

    QTabWidget* mTab = nullptr;
    std::array<BlockDiagram*, 6> mDiagrams{};
    std::array<QLineEdit*, FieldCount> mFields{};
    std::array<QLabel*, FieldCount> mLabels{};
    QLabel* mUnitLabel = nullptr; // "(％／dＴ)" beside the MV rate limit
    QLineEdit* mTxtbA = nullptr;
    std::array<QRadioButton*, 3> mOptCtype{};
    QCheckBox* mChkFB = nullptr;
    QPushButton* mCmdPrint = nullptr;
    QPushButton* mCmdTip = nullptr;
    QPushButton* mCmdDetail = nullptr;
    QPushButton* mCmdSecondary = nullptr;
    QComboBox* mCboLoop = nullptr;
    frmProcessDetail* mProcessDetail = nullptr;
    frmSecondaryLoop* mSecondaryLoop = nullptr;
    QTimer* mTimer1 = nullptr;
    std::array<HelpLabel*, 5> mHelp{}; // labelC43 .. labelC47
};

} // namespace kestrel
