// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/renamecriteria.h"

#include <QColor>
#include <QWidget>

#include <array>
#include <vector>

class CProgramState;
class CGroupFrame;
class QCheckBox;
class QGridLayout;
class QLineEdit;
class QScrollArea;
class QVBoxLayout;
struct CRITERIONBINDING;
struct FIELDLAYOUT;

// The thirteen criteria groups below the file list. Every control is bound to its
// criterion through the criteria binding table; user edits go through the record's own
// edit operation (linked edits, From/To order) and are reported by the two signals.
class CCriteriaPanel : public QWidget, private ICriteriaObserver {
    Q_OBJECT
public:
    explicit CCriteriaPanel(CProgramState& state, QWidget* parent = nullptr);
    ~CCriteriaPanel() override;

    // Puts every criterion into its control (after a favourite load, Reset, Revert); never counts
    // as an edit.
    void FillFromCriteria();
    // Highlighting of active groups ("Highlight Active Criteria" on/off, "Colour Active Criteria").
    void SetHighlight(bool enabled, const QColor& colour);
    // Keyboard focus to a group's first field (for accelerators), 1..13.
    void FocusGroup(int group);

    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

public slots:
    // The "Reset" button and the reset-all command: groups 1 to 11; 12 and 13 keep their values.
    void ResetAll();
    // A group's "R" button, 1..13.
    void ResetGroup(int group);

signals:
    // After every user edit of any criterion (the window asks the state for a refresh).
    void CriteriaEdited();
    // Group 12 (selection) or 13 (new location) changed in a way that needs a new listing / a
    // folder.
    void SelectionCriteriaEdited();
    // The "Copy not Move" box was clicked (the preference is already set); a menu check follows it.
    void CopyNotMoveToggled(bool on);

private:
    struct BOUNDCONTROL {
        const CRITERIONBINDING* binding;
        QWidget* control;
    };

    void BuildGroups(QWidget* content);
    CGroupFrame* BuildFrame(int group);
    // The group's enable switch (groups 1 to 11) above its "R" button.
    QVBoxLayout* BuildSwitchAndReset(int group, const QString& caption);
    QWidget* BuildField(QGridLayout* grid, const FIELDLAYOUT& field,
                        const CRITERIONBINDING& binding, const QString& caption);
    QWidget* BuildTextField(const FIELDLAYOUT& field, const CRITERIONBINDING& binding);
    QWidget* BuildChoiceField(const FIELDLAYOUT& field, const CRITERIONBINDING& binding);
    void BuildNewLocationExtras(QGridLayout* grid, const QString& caption);
    void BrowseNewLocation();
    void Bind(const CRITERIONBINDING& binding, QWidget* control);
    void UserEdit(const CRITERIONBINDING& binding, const QString& value);
    void FillControl(const BOUNDCONTROL& bound);
    void FillGroup(int group);
    void UpdateHighlight();

    // ICriteriaObserver
    void CriteriaChanged(int group) override;
    void PushCriteria(ResetAfter after) override;

    CProgramState& m_state;
    QScrollArea* m_scroll = nullptr;
    std::array<CGroupFrame*, 13> m_frames{};
    std::vector<BOUNDCONTROL> m_controls;
    QCheckBox* m_copyNotMove = nullptr;
    QLineEdit* m_newLocationPath = nullptr;
    bool m_highlight = true;
    QColor m_highlightColour;
    bool m_resetting = false;
    bool m_filling = false;
    bool m_filterPending = false;
    bool m_sidewaysBar = false;
};
