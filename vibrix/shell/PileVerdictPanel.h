#pragma once
// The right of the "Сваи" page: what the engineer sets for the pile shown — the wave speed, the
// design values and the processing, the blows used, the first pass's proposal to take, the class
// and the remark — each change handed to the page as a change of the pile's verdict.

#include "Guarded.h"
#include "TFirstPass.h"
#include "TPileAnalysis.h"

#include <QHash>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;
class QToolButton;
class TNumberEdit;
class TRemarkEdit;

class TPileVerdictPanel : public QWidget {
    Q_OBJECT
public:
    using Change = std::function<void(TPileVerdict&)>;

    TPileVerdictPanel(THandlerRunner run, QWidget* parent = nullptr);

    // No narrower than its fields as the style draws them (the class box as wide as its
    // longest class), nor than 250 px.
    QSize minimumSizeHint() const override;

    TNumberEdit* SpeedEdit;
    QComboBox* SpeedSourceCombo; // "по длине", "участка", "из записи", "своя": where the speed comes from
    QLabel* SpeedSourceLabel; // why the pile is not read at the source chosen, or that no speed is known
    QPushButton* AutoSpeedButton;
    TNumberEdit* LengthEdit;
    TNumberEdit* DiameterEdit;
    TNumberEdit* LowPassEdit;
    TNumberEdit* AmplifyEdit;
    QLabel* ToeLabel;
    QLabel* RefusalLabel;      // why the value last entered was not taken
    QTableWidget* BlowList;    // a check box per blow: used or left out
    QLabel* ProposalLabel;     // the first pass's proposal for the pile shown
    QPushButton* AcceptButton; // "Принять": the proposal into the verdict
    QComboBox* ClassCombo;
    TRemarkEdit* RemarkEdit;
    QToolButton* RemarkPhrasesButton; // a menu of the remarks the project has: one of them is the remark

    // Where the changes go: the page stores them as the pile's verdict.
    std::function<void(const Change&)> OnChange;
    // The remarks of the project, for the menu of phrases.
    std::function<QStringList()> Remarks;

    // The pile's values in the controls; the classes of `scheme` in the class box.
    void Show(std::shared_ptr<const TPileAnalysis> a, const QString& scheme);
    // The first pass's proposal for the pile shown; null while it is not computed.
    void ShowProposal(const TFirstPassResult* proposal);
    // The proposal taken into the verdict: its class and its findings as marks.
    void AcceptProposal();

private:
    QWidget* makeSpeed();
    QWidget* makePile();
    QWidget* makeBlows();
    QWidget* makeProposal();
    QWidget* makeVerdict();
    void chooseSpeedSource(TSpeedSource source);
    void fillPhrases();
    void blowToggled(int row, bool used);
    void change(const Change& change);
    using Refusal = std::function<std::optional<QString>(double)>;
    void applyNumber(TNumberEdit* edit, const std::function<void(TPileVerdict&, std::optional<double>)>& set,
                     const Refusal& refusal);

    THandlerRunner run_;
    std::shared_ptr<const TPileAnalysis> shown_;
    std::optional<TFirstPassResult> proposal_;
    QString scheme_;                                // the classes in the class box
    QHash<const TNumberEdit*, QString> shownTexts_; // what Show wrote: Enter on it changes nothing
    bool filling_ = false;                          // the controls are being filled, not edited
};
