#pragma once
// The set-up document: every field text that the files store and the windows show, with the
// operations that move texts into the engine (group applies, program applies), apply a lesson
// step (Ini_Param_set), save one (the step save), initialise the parameters and start up.
// The windows are views of it; they follow its changes through listeners.

#include "core/messageservice.h"
#include "engine/appstate.h"
#include "engine/errortrap.h"
#include "engine/settingkeys.h"
#include "setup/appfolders.h"
#include "setup/fieldtable.h"
#include "setup/modinifile.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kestrel {

class RunControl;

/// What changed in the document; `index` names the field, point or label where it applies.
enum class SetupChange {
    FieldText,       ///< a parameter field's text or edited marker (index = Field)
    FieldVisibility, ///< which parameter fields and labels are shown
    TypeTab,         ///< the selected control-type page
    CalcForm,        ///< the selected calculation form
    Feedback,        ///< the feedback check box
    Bias,            ///< the bias field
    ProgramField,    ///< an SV/DV editor field (index 0..35: SV values, SV times, DV values, DV times)
    SvProgram,       ///< the SV program was applied: redraw its curve
    DvProgram,       ///< the DV program was applied
    PanelSetting,    ///< the panel's mode, range, check boxes, pen colour or graph time
    TypeLabel,       ///< the panel's control-type label
    PenLabels,       ///< the pen recorder's legend labels
    DetailText,      ///< a process-detail field's text or edited marker (index = DetailField)
    ProcessType,     ///< the selected process type
    SecondaryText,   ///< a secondary-loop field's text or edited marker (index = SecondaryField)
    LoopStructure,   ///< the selected loop structure (LOOP)
    SecondaryOption, ///< the secondary controller's selected type or form (TYPE2, CALC2)
};

/// Texts of one lesson or project step as the study window shows them.
struct StepTexts {
    std::string title1, text1; ///< lesson title and explanation (line breaks as CR LF)
    std::string title2, text2; ///< step title and text
};

class SetupDocument {
public:
    /// `folders`: where the lessons and the base set are read and the settings and projects kept.
    SetupDocument(AppState& state, MessageService& messages, AppFolders folders);
    /// The portable layout: everything in the application folder `appDir`.
    SetupDocument(AppState& state, MessageService& messages, const std::filesystem::path& appDir)
        : SetupDocument(state, messages, AppFolders::portable(appDir)) {}

    /// The panel's run control, for the mode changes a step applies. May stay unset (then only
    /// MODE changes).
    void setRunControl(RunControl* runControl) { mRun = runControl; }
    /// Lets pending window events run (during Ini_Param_set); unset does nothing.
    void setEventPump(std::function<void()> pump) { mPump = std::move(pump); }

    using Listener = std::function<void(SetupChange, int index)>;
    /// Registers a view; returns its id for removeListener.
    int addListener(Listener listener);
    void removeListener(int id);

    const AppFolders& folders() const { return mFolders; }
    /// The folder of the settings file Kestrel.ini.
    const std::filesystem::path& userDir() const { return mFolders.user; }
    std::filesystem::path settingsFile() const { return mFolders.settingsFile(); }
    std::filesystem::path studyFolder() const { return mFolders.studyFolder(); }
    std::filesystem::path baseFile() const { return studyFolder() / "ParaInz.txt"; }
    std::filesystem::path projectFolder() const { return mFolders.projectFolder(); }

    // --- Parameter fields -------------------------------------------------------------------
    const std::string& fieldText(Field f) const { return mFields[f].text; }
    bool fieldEdited(Field f) const { return mFields[f].edited; }
    bool fieldVisible(Field f) const { return mFields[f].visible; }
    /// Kpl, Tpl and Lpl: what a challenge with a hidden process keeps from view.
    static bool isProcessField(Field f) { return f == Kpl || f == Tpl || f == Lpl; }
    /// Hides the process (or shows it again): the views show "？" in its fields, a saved step
    /// leaves its keys out. The engine runs with it as before.
    void setProcessHidden(bool hidden);
    bool processHidden() const;
    /// Typing or a programmatic change: a changed text is marked as edited (light yellow).
    void setFieldText(Field f, const std::string& text);
    const std::string& biasText() const { return mBiasText; }
    /// Run control shows the bias it computed ("###.0").
    void showBias(double bA);

    /// Group applies: Pre format, range, Shown format, value parsed back into the engine.
    void OKButton_();   ///< controller group ("  P001")
    void OKButtonPL_(); ///< process group ("  P004")
    void OKButtonDS_(); ///< disturbance group ("  P002")
    void OKButtonFF_(); ///< feedforward group ("  P003")
    void applyGroup(FieldGroup group);
    /// The OK buttons: the group's apply, then ParaSetDone cleared.
    void okButton(FieldGroup group);
    /// The Cancel buttons: every field of the group from the engine's values, then OK.
    void cancelButton(FieldGroup group);

    // --- Process details (noise, sensor filter, valve, process type) -------------------------
    const std::string& detailText(DetailField d) const { return mDetail[d].text; }
    bool detailEdited(DetailField d) const { return mDetail[d].edited; }
    /// Typing or a programmatic change, marked as edited like the main window's fields.
    void setDetailText(DetailField d, const std::string& text);
    /// The group's apply ("  P057"), as for the four groups (applyGroup, okButton and
    /// cancelButton take FieldGroup::ProcessDetail too); NOISE_SEED converts exactly.
    void applyDetails();
    int processType() const { return mProcType; }
    /// Choosing a process type (0..2) stores it at once, as the calculation form does.
    void optProcType_Click(int index);

    // --- Secondary loop (loop structure, secondary controller, inner part of the process) -------
    const std::string& secondaryText(SecondaryField s) const { return mSecondary[s].text; }
    bool secondaryEdited(SecondaryField s) const { return mSecondary[s].edited; }
    /// Typing or a programmatic change, marked as edited like the main window's fields.
    void setSecondaryText(SecondaryField s, const std::string& text);
    /// The group's apply ("  P058"), as for the four groups (applyGroup, okButton and
    /// cancelButton take FieldGroup::SecondaryLoop too); Lin is bound like the other dead times.
    void applySecondary();
    int loopStructure() const { return mLoop; }
    /// Choosing the loop structure (0..2) stores it at once; a new structure puts the loop at rest
    /// for it (Data_inz through run control, MV kept).
    void optLoop_Click(int index);
    int secondaryType() const { return mType2; }
    /// Choosing the secondary's type (0 P, 1 PI, 2 PID) or form (0..2) stores it at once.
    void optType2_Click(int index);
    int secondaryCalcForm() const { return mCalc2; }
    void optCtype2_Click(int index);
    std::int16_t secondaryMode() const { return mState.params.MODE2; }

    int typeTab() const { return mTypeTab; }
    /// Selecting a control-type page: presets, visibility, labels, then the controller group's OK.
    void ContTypeTab_Click(int page);
    int calcForm() const { return mCalcForm; }
    void optCtype_Click(int index);
    bool feedbackChecked() const { return mFeedback; }
    void ChkFB_Click(bool checked);

    /// The panel's control-type label and the pen recorder's legend labels, in Japanese (the
    /// windows show them in the learner's language).
    const std::string& typeLabel() const { return mTypeLabel; }
    const std::array<std::string, kPenLabels.size()>& penLabels() const { return mPenLabels; }

    // --- SV/DV programs ---------------------------------------------------------------------
    /// Editor fields: index 0..8 SV values (txtCSVv), 9..17 SV times (txtCSVt),
    /// 18..26 DV values (txtCDVv), 27..35 DV times (txtCDVt).
    static constexpr int kSvValue = 0, kSvTime = 9, kDvValue = 18, kDvTime = 27;
    const std::string& programField(int index) const { return mProgram[index]; }
    void setProgramField(int index, const std::string& text);
    /// Apply the SV program ("更新"): the fields into the engine, point 0's time kept "0".
    void Command1_();
    /// Apply the DV program.
    void Command2_();

    // --- Controller panel settings ----------------------------------------------------------
    std::int16_t mode() const { return mState.params.MODE; }
    /// The mode buttons M, A, C (through run control when it is set).
    void setMode(std::int16_t mode);
    /// The secondary controller's mode buttons M (0), A (1) and CAS (2), through run control when
    /// one is attached (its bumpless change, which starts only the secondary again), else MODE2
    /// alone; the views hear PanelSetting.
    void setSecondaryMode(std::int16_t mode);
    const std::string& rangeHighText() const { return mRangeHigh; }
    const std::string& rangeLowText() const { return mRangeLow; }
    const std::string& graphTimeText() const { return mGraphTime; }
    void setRangeHighText(const std::string& text);
    void setRangeLowText(const std::string& text);
    void setGraphTimeText(const std::string& text);
    bool autoRange() const { return mAutoRange; }
    /// "レンジ自動シフト": checking sets the range texts to 30..130, clearing to 0..100.
    void setAutoRange(bool checked);
    bool autoPen() const { return mAutoPen; }
    void setAutoPen(bool checked);
    int penChoice() const { return mPenChoice; }
    void setPenChoice(int index);
    bool penRecorderAutoPen() const { return mRecAutoPen; }
    void setPenRecorderAutoPen(bool checked);
    int penRecorderPenChoice() const { return mRecPenChoice; }
    void setPenRecorderPenChoice(int index);
    /// End of a run: the automatic pen colours move on (white, yellow, magenta, red, cyan).
    void PenColorAdvance();

    // --- Steps, files, start-up -------------------------------------------------------------
    /// Section of the current step: "手順" + StepNo, or "手順" alone for the base file.
    std::string stepSection() const;
    /// Applies the current step of CurFile (or the base set) to the fields, programs and panel.
    void Ini_Param_set();
    /// Difference write: writes the value when it differs from the base set's or from the value
    /// in force before this step (the base set with the file's earlier steps applied), so that a
    /// replay of the file gives what was saved; otherwise empties a value the step held. True when
    /// it wrote the value.
    bool IniWrite1(const std::string& key, const std::string& value);
    /// Unconditional write into the current step.
    bool IniWrite2(const std::string& key, const std::string& value);
    /// The step save ("書き込み"): texts and every setting into the current step of CurFile, in one
    /// replacement of the file. Only a project is written. A text longer than a profile line holds
    /// refuses the whole save; a text with a character the file cannot store is left out (the rest
    /// is saved). Returns false (after telling the user) when the step was not saved whole.
    bool saveStep(const StepTexts& texts);
    /// Reads the texts of the current step of CurFile.
    StepTexts readStepTexts() const;

    /// "パラメータ初期化": the base set applied and brought into force.
    void ParaInz_Click();
    /// "学習表示" of the main window: the four group applies, the process details, the secondary
    /// loop and the two program applies; a loop structure the step changed is then put at rest
    /// again with the step's values in force.
    void applyAll();
    /// The main window's start-up sequence.
    void startup();

    /// Proposed name of a new project: "P" + yymmdd + counter "00#" + ".txt", the first that
    /// does not exist in the Project folder. `today` is "yymmdd".
    std::string proposedProjectName(const std::string& today) const;
    /// A new project from Study/BASE.txt under `name` (blanks around it removed). Refuses a name
    /// that is not a plain file name (a folder separator, a leading ".", which the project list
    /// never shows, a character the files' code page lacks, or a control or invisible formatting
    /// character that disguises the name) and an existing file, telling the user; creates the
    /// Project folder when missing. Returns the new file's path, or an empty path.
    std::filesystem::path createProject(const std::string& name);

private:
    struct FieldState {
        std::string text;
        bool edited = false;
        bool visible = true;
    };

    /// A typed or programmatic text into a field, marked edited; false when it held it already.
    static bool editText(FieldState& field, const std::string& text);
    void notify(SetupChange what, int index = 0);
    void applyField(Field f, ErrorTrap& trap);
    /// A group of a field table applied field by field (applyText under the group's code),
    /// each field's view told with `change`; `whole(i)` for a field held as a whole number.
    template <std::size_t N, class Whole>
    void applyTable(FieldGroup group, const std::array<FieldDef, N>& table, std::array<FieldState, N>& texts,
                    SetupChange change, Whole whole);
    /// A field's apply: the Pre format, the range, the Shown format into the text, then `store`
    /// with the shown value. A text that is no number keeps `inForce`. `whole` converts in double
    /// precision; other fields pass single precision.
    template <class Store>
    void applyText(const FieldDef& def, FieldState& field, const std::string& name, double inForce,
                   bool whole, ErrorTrap& trap, Store&& store);
    double engineValue(Field f) const;
    void storeValue(Field f, double value);
    void setVisible(Field f, bool visible);
    /// Stores LOOP; true when it changed.
    bool storeLoop(int index);
    /// The loop at rest for the structure in force (run control's Data_inz, when attached).
    void putLoopAtRest();
    void applyProgram(bool sv);
    void readProgram(bool sv, ErrorTrap& trap);
    bool writeProgram(bool sv, ErrorTrap& trap);
    /// The values of `keys` in force before the current step of CurFile: the base set's, replaced
    /// by those of the latest earlier step that gives the first key (a key alone, or a program,
    /// which a step gives whole when it gives its first value).
    std::vector<std::string> valuesInForce(const std::vector<std::string>& keys) const;
    std::string read(const std::string& section, const std::string& key) const;
    bool write(const std::string& section, const std::string& key, const std::string& value);

    AppState& mState;
    MessageService& mMessages;
    AppFolders mFolders;
    RunControl* mRun = nullptr;
    std::function<void()> mPump;

    std::array<FieldState, FieldCount> mFields;
    std::array<FieldState, DetailCount> mDetail;
    int mProcType = 0;
    std::array<FieldState, SecondaryCount> mSecondary;
    int mLoop = 0, mType2 = 1, mCalc2 = 1;
    /// A step changed the loop structure: the next applyAll puts the loop at rest once more.
    bool mLoopRestPending = false;
    std::string mBiasText = "50";
    int mTypeTab = 2;
    int mCalcForm = 0;
    bool mFeedback = true;
    std::string mTypeLabel; // the caption of the type tab in force
    std::array<std::string, kPenLabels.size()> mPenLabels;

    std::array<std::string, 36> mProgram;

    std::string mRangeHigh = "100.0", mRangeLow = "0.0", mGraphTime = "50";
    bool mAutoRange = false, mAutoPen = false;
    int mPenChoice = 0;
    bool mRecAutoPen = false;
    int mRecPenChoice = 0;

    std::vector<std::pair<int, Listener>> mListeners;
    int mNextListener = 1;
    /// Set while a step save runs: the first write that fails ends the save.
    bool mWriteFailed = false;
    /// A text of the save could not be stored (a character outside the file's code page).
    bool mSaveIncomplete = false;
    /// A text of the save is longer than a profile line holds: nothing is written.
    bool mSaveRefused = false;
    bool mSaving = false;
    /// The file of the step being applied, read once for all its keys (set during Ini_Param_set).
    std::shared_ptr<const ProfileSnapshot> mApplying;
    /// The values a running step save writes together at its end.
    std::vector<ProfileEntry> mStaged;
};

} // namespace kestrel
