// SPDX-License-Identifier: GPL-3.0-or-later
#include "ccriteriapanel.h"

#include "app/session/cprogramstate.h"
#include "app/session/grouphighlight.h"
#include "cgroupframe.h"
#include "cnumberfield.h"
#include "criteriapanellayout.h"
#include "engine/criterionbinding.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QStyle>
#include <QToolButton>

namespace {

// Group 3's Match Case is a criterion without a favourites key, so the table lacks it.
const CRITERIONBINDING kMatchCase{
    "Replacements",
    "Match Case",
    CriterionKind::Check,
    GroupReplace,
    "0",
    0,
    +[](RenameCriteria& c) -> bool& { return c.replacements.matchCase; }};

const CRITERIONBINDING* BindingOf(const FIELDLAYOUT& field) {
    if (const CRITERIONBINDING* binding =
            FindCriterion(QString::fromLatin1(field.section), QString::fromLatin1(field.key)))
        return binding;
    if (qstrcmp(field.section, kMatchCase.section) == 0 && qstrcmp(field.key, kMatchCase.key) == 0)
        return &kMatchCase;
    return nullptr;
}

const CRITERIONBINDING* EnableSwitchOf(int group) {
    for (const CRITERIONBINDING& binding : CriteriaBindings()) {
        if (binding.group == group && qstrcmp(binding.section, "Criteria") == 0)
            return &binding;
    }
    return nullptr;
}

QString ControlName(const CRITERIONBINDING& binding) {
    return binding.Section() + QLatin1Char('/') + binding.Key();
}

QString SpokenName(const QString& caption, const QString& label) {
    return caption + QStringLiteral(": ") + label;
}

bool IsFilter(const CRITERIONBINDING& binding) {
    return binding.group == GroupSelections && qstrcmp(binding.key, "Filter") == 0;
}

} // namespace

CCriteriaPanel::CCriteriaPanel(CProgramState& state, QWidget* parent)
    : QWidget(parent), m_state(state), m_highlightColour(255, 69, 0) {
    auto* content = new QWidget;
    BuildGroups(content);
    m_scroll = new QScrollArea(this);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setWidgetResizable(true);
    m_scroll->setWidget(content);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_scroll);
    FillFromCriteria();
}

CCriteriaPanel::~CCriteriaPanel() = default;

QSize CCriteriaPanel::sizeHint() const {
    QSize hint = m_scroll->widget()->sizeHint();
    // Narrower than its frames, the panel scrolls sideways; the bar must not hide a row.
    if (m_sidewaysBar)
        hint.rheight() += style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    return hint;
}

void CCriteriaPanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const bool sideways = width() < m_scroll->widget()->minimumSizeHint().width();
    if (std::exchange(m_sidewaysBar, sideways) != sideways)
        updateGeometry();
}

void CCriteriaPanel::BuildGroups(QWidget* content) {
    auto* columns = new QHBoxLayout(content);
    columns->setContentsMargins(4, 2, 4, 2);
    columns->setSpacing(4);
    for (std::span<const int> groups : PanelColumns()) {
        auto* column = new QVBoxLayout;
        column->setSpacing(2);
        for (int group : groups)
            column->addWidget(m_frames[group - 1] = BuildFrame(group));
        column->addStretch(1);
        columns->addLayout(column);
    }
}

CGroupFrame* CCriteriaPanel::BuildFrame(int group) {
    const QString caption = GroupCaption(group);
    auto* frame = new CGroupFrame(caption);
    frame->setObjectName(QStringLiteral("group%1").arg(group));
    // The caption alone is bold; the fields keep the panel's font.
    auto* body = new QWidget(frame);
    body->setFont(font());
    auto* frameLayout = new QVBoxLayout(frame);
    frameLayout->setContentsMargins(4, 2, 4, 4);
    frameLayout->addWidget(body);

    auto* grid = new QGridLayout;
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(2);
    for (const FIELDLAYOUT& field : PanelFields()) {
        const CRITERIONBINDING* binding = BindingOf(field);
        if (binding && binding->group == group)
            Bind(*binding, BuildField(grid, field, *binding, caption));
    }
    if (group == GroupNewLocation)
        BuildNewLocationExtras(grid, caption);

    auto* row = new QHBoxLayout(body);
    row->setContentsMargins(0, 0, 0, 0);
    row->addLayout(grid, 1);
    row->addLayout(BuildSwitchAndReset(group, caption));
    return frame;
}

QVBoxLayout* CCriteriaPanel::BuildSwitchAndReset(int group, const QString& caption) {
    auto* side = new QVBoxLayout;
    side->setSpacing(2);
    if (const CRITERIONBINDING* enable = EnableSwitchOf(group)) {
        auto* check = new QCheckBox;
        check->setAccessibleName(SpokenName(caption, QStringLiteral("Enabled")));
        check->setToolTip(QStringLiteral("Use this group"));
        connect(check, &QCheckBox::clicked, this, [this, enable](bool on) {
            UserEdit(*enable, on ? QStringLiteral("1") : QStringLiteral("0"));
        });
        side->addWidget(check);
        Bind(*enable, check);
    }
    auto* reset = new QToolButton;
    reset->setText(QStringLiteral("R"));
    reset->setObjectName(QStringLiteral("reset%1").arg(group));
    reset->setAccessibleName(SpokenName(caption, QStringLiteral("R")));
    reset->setAccessibleDescription(QStringLiteral("Reset this group"));
    reset->setToolTip(QStringLiteral("Reset this group"));
    connect(reset, &QToolButton::clicked, this, [this, group] { ResetGroup(group); });
    side->addWidget(reset);
    side->addStretch(1);
    return side;
}

QWidget* CCriteriaPanel::BuildField(QGridLayout* grid, const FIELDLAYOUT& field,
                                    const CRITERIONBINDING& binding, const QString& caption) {
    const QString label = QString::fromUtf8(field.label);
    const QString spoken =
        SpokenName(caption, field.spokenName ? QString::fromUtf8(field.spokenName) : label);
    QWidget* control = nullptr;
    switch (binding.kind) {
    case CriterionKind::Check: {
        auto* check = new QCheckBox(label);
        connect(check, &QCheckBox::clicked, this, [this, &binding](bool on) {
            UserEdit(binding, on ? QStringLiteral("1") : QStringLiteral("0"));
        });
        check->setAccessibleName(spoken);
        grid->addWidget(check, field.row, field.column, 1, field.span);
        return check;
    }
    case CriterionKind::Choice:
        control = BuildChoiceField(field, binding);
        break;
    case CriterionKind::Text:
        control = BuildTextField(field, binding);
        break;
    }
    if (auto* number = qobject_cast<CNumberField*>(control))
        number->SetSpokenName(spoken);
    else
        control->setAccessibleName(spoken);
    if (label.isEmpty()) {
        grid->addWidget(control, field.row, field.column, 1, field.span);
    } else {
        auto* text = new QLabel(label);
        text->setBuddy(control);
        grid->addWidget(text, field.row, field.column, 1, field.labelSpan);
        grid->addWidget(control, field.row, field.column + field.labelSpan, 1, field.span);
    }
    return control;
}

QWidget* CCriteriaPanel::BuildChoiceField(const FIELDLAYOUT& field,
                                          const CRITERIONBINDING& binding) {
    auto* combo = new QComboBox;
    combo->addItems(ChoiceTexts(field));
    combo->setMaxVisibleItems(qMin(int(combo->count()), 20));
    // Compact in the frame; the open list still shows every entry whole.
    qsizetype longest = 0;
    for (int i = 0; i < combo->count(); ++i)
        longest = qMax(longest, combo->itemText(i).size());
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setIconSize(QSize(0, 0)); // the lists have no icons
    combo->setMinimumContentsLength(int(qMin<qsizetype>(longest, 9)));
    combo->view()->setMinimumWidth(combo->view()->sizeHintForColumn(0) + 24);
    connect(combo, &QComboBox::currentIndexChanged, this, [this, &binding](int index) {
        if (!m_filling && index >= 0)
            UserEdit(binding, QString::number(index));
    });
    return combo;
}

QWidget* CCriteriaPanel::BuildTextField(const FIELDLAYOUT& field, const CRITERIONBINDING& binding) {
    if (field.IsNumber()) {
        auto* number = new CNumberField(field.minimum, field.maximum);
        connect(number, &CNumberField::TextEdited, this,
                [this, &binding](const QString& text) { UserEdit(binding, text); });
        return number;
    }
    auto* edit = new QLineEdit;
    // Text fields take what room the frame has rather than asking for their own.
    edit->setMinimumWidth(edit->fontMetrics().averageCharWidth() * 10);
    edit->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    if (IsFilter(binding)) {
        // The filter lists the folder anew only when the field is left, not per keystroke.
        connect(edit, &QLineEdit::textEdited, this, [this, &binding](const QString& text) {
            m_filterPending = m_state.criteria.SetValue(binding, text);
        });
        connect(edit, &QLineEdit::editingFinished, this, [this, &binding, edit] {
            if (std::exchange(m_filterPending, false))
                UserEdit(binding, edit->text());
        });
    } else {
        connect(edit, &QLineEdit::textEdited, this,
                [this, &binding](const QString& text) { UserEdit(binding, text); });
    }
    if (binding.group == GroupNewLocation)
        m_newLocationPath = edit;
    return edit;
}

void CCriteriaPanel::BuildNewLocationExtras(QGridLayout* grid, const QString& caption) {
    auto* browse = new QToolButton;
    browse->setText(QStringLiteral("..."));
    browse->setObjectName(QStringLiteral("browseNewLocation"));
    browse->setAccessibleName(SpokenName(caption, QStringLiteral("...")));
    browse->setAccessibleDescription(QStringLiteral("Choose new location for renamed files"));
    connect(browse, &QToolButton::clicked, this, &CCriteriaPanel::BrowseNewLocation);
    grid->addWidget(browse, 0, 2);

    m_copyNotMove = new QCheckBox(QStringLiteral("Copy not Move"));
    m_copyNotMove->setObjectName(QStringLiteral("copyNotMove"));
    m_copyNotMove->setAccessibleName(SpokenName(caption, m_copyNotMove->text()));
    connect(m_copyNotMove, &QCheckBox::clicked, this, [this](bool on) {
        m_state.preferences.newLocationCopyNotMove = on;
        emit CopyNotMoveToggled(on);
    });
    grid->addWidget(m_copyNotMove, 1, 0, 1, 3);
}

void CCriteriaPanel::BrowseNewLocation() {
    const QString folder = QFileDialog::getExistingDirectory(
        this, QStringLiteral("Choose new location for renamed files"),
        m_state.criteria.newLocation.path, QFileDialog::ShowDirsOnly);
    if (folder.isEmpty())
        return;
    m_newLocationPath->setText(folder);
    UserEdit(*FindCriterion(u"New Location", u"Path"), folder);
}

void CCriteriaPanel::Bind(const CRITERIONBINDING& binding, QWidget* control) {
    control->setObjectName(ControlName(binding));
    m_controls.push_back({&binding, control});
}

void CCriteriaPanel::UserEdit(const CRITERIONBINDING& binding, const QString& value) {
    // Controls never edit before the window is up, so start-up counts as finished.
    m_state.criteria.Edit(binding, value, true, this);
}

void CCriteriaPanel::FillControl(const BOUNDCONTROL& bound) {
    const QString value = m_state.criteria.Value(*bound.binding);
    if (auto* number = qobject_cast<CNumberField*>(bound.control)) {
        number->SetText(value);
    } else if (auto* edit = qobject_cast<QLineEdit*>(bound.control)) {
        // Rewriting an equal text would move the cursor of the field being typed in.
        if (edit->text() != value)
            edit->setText(value);
    } else if (auto* combo = qobject_cast<QComboBox*>(bound.control)) {
        combo->setCurrentIndex(value.toInt());
    } else if (auto* check = qobject_cast<QCheckBox*>(bound.control)) {
        check->setChecked(value == QLatin1String("1"));
    }
}

void CCriteriaPanel::FillGroup(int group) {
    const bool wasFilling = std::exchange(m_filling, true);
    for (const BOUNDCONTROL& bound : m_controls) {
        if (bound.binding->group == group)
            FillControl(bound);
    }
    m_filling = wasFilling;
}

void CCriteriaPanel::FillFromCriteria() {
    const bool wasFilling = std::exchange(m_filling, true);
    for (const BOUNDCONTROL& bound : m_controls)
        FillControl(bound);
    m_copyNotMove->setChecked(m_state.preferences.newLocationCopyNotMove);
    m_filterPending = false;
    m_filling = wasFilling;
    UpdateHighlight();
}

void CCriteriaPanel::SetHighlight(bool enabled, const QColor& colour) {
    m_highlight = enabled;
    m_highlightColour = colour;
    UpdateHighlight();
}

void CCriteriaPanel::UpdateHighlight() {
    for (int group = GroupRegEx; group <= GroupNewLocation; ++group) {
        m_frames[group - 1]->SetHighlighted(
            IsGroupHighlighted(m_state.criteria, group, m_highlight), m_highlightColour);
    }
}

void CCriteriaPanel::FocusGroup(int group) {
    for (const BOUNDCONTROL& bound : m_controls) {
        if (bound.binding->group == group && qstrcmp(bound.binding->section, "Criteria") != 0) {
            m_scroll->ensureWidgetVisible(bound.control);
            bound.control->setFocus(Qt::ShortcutFocusReason);
            return;
        }
    }
}

void CCriteriaPanel::ResetAll() {
    const bool wasResetting = std::exchange(m_resetting, true);
    m_state.criteria.ResetAll(this);
    m_resetting = wasResetting;
}

void CCriteriaPanel::ResetGroup(int group) {
    const bool wasResetting = std::exchange(m_resetting, true);
    if (group == GroupNewLocation)
        m_state.criteria.ResetNewLocation(this);
    else
        m_state.criteria.ResetGroup(
            group, group == GroupSelections ? ResetAfter::Rescan : ResetAfter::Push, this);
    m_resetting = wasResetting;
}

void CCriteriaPanel::CriteriaChanged(int group) {
    // A linked edit may have moved another field of the group.
    FillGroup(group);
    UpdateHighlight();
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
