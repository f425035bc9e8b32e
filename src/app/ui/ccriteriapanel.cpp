// SPDX-License-Identifier: GPL-3.0-or-later
#include "ccriteriapanel.h"

#include "app/session/cprogramstate.h"
#include "engine/criterionbinding.h"

CCriteriaPanel::CCriteriaPanel(CProgramState& state, QWidget* parent)
    : QWidget(parent), m_state(state), m_highlightColour(255, 69, 0) {
    BuildGroups();
    FillFromCriteria();
}

CCriteriaPanel::~CCriteriaPanel() = default;

void CCriteriaPanel::BuildGroups() {}

void CCriteriaPanel::FillFromCriteria() {}

void CCriteriaPanel::SetHighlight(bool enabled, const QColor& colour) {
    m_highlight = enabled;
    m_highlightColour = colour;
    UpdateHighlight();
}

void CCriteriaPanel::FocusGroup(int) {}

void CCriteriaPanel::ResetAll() {
    m_state.criteria.ResetAll(this);
}

void CCriteriaPanel::UserEdit(const CRITERIONBINDING& binding, const QString& value) {
    m_state.criteria.Edit(binding, value, true, this);
}

void CCriteriaPanel::UpdateHighlight() {}

void CCriteriaPanel::CriteriaChanged(int group) {
    if (m_resetting)
        return;
    if (group == GroupSelections)
        emit SelectionCriteriaEdited();
    else
        emit CriteriaEdited();
}

void CCriteriaPanel::PushCriteria(ResetAfter after) {
    FillFromCriteria();
    if (after == ResetAfter::Rescan)
        emit SelectionCriteriaEdited();
    else if (after == ResetAfter::Push)
        emit CriteriaEdited();
}
