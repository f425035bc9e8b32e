// SPDX-License-Identifier: GPL-3.0-or-later
#include "ctimestampsdialog.h"

#include "platform/timevalue.h"
#include "rename/iprompts.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDateTimeEdit>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

const char* const kCaptions[] = {"Date Created - set to...", "Date Modified - set to...",
                                 "Date Accessed - set to..."};
const char* const kOtherTime[] = {"Modified", "Created", "Created"};
const char* const kDeltaLabels[] = {"Days", "Hours", "Minutes", "Seconds"};
const int kDeltaMaxima[] = {99, 23, 59, 59};
constexpr int kFixedMode = int(TimestampMode::Fixed);

const QDateTime kEarliest(QDate(1971, 1, 1), QTime(0, 0, 1));
const QDateTime kLatest(QDate(2036, 12, 30), QTime(23, 59, 59));

QDateTime LocalDateTimeOf(TimeValue value) {
    CALENDARFIELDS fields;
    const qint64 seconds = value != 0 ? FileTimeFromTimeValue(value) : CurrentTimeValue();
    if (!LocalFieldsOf(seconds, fields))
        return kEarliest;
    return QDateTime(QDate(fields.year, fields.month, fields.day),
                     QTime(fields.hour, fields.minute, qMin(fields.second, 59)));
}

TimeValue TimeValueOfLocal(const QDateTime& shown) {
    CALENDARFIELDS fields;
    fields.year = shown.date().year();
    fields.month = shown.date().month();
    fields.day = shown.date().day();
    fields.hour = shown.time().hour();
    fields.minute = shown.time().minute();
    fields.second = shown.time().second();
    qint64 seconds = 0;
    if (!MomentFromLocalFields(fields, -1, seconds))
        return 0;
    return TimeValueFromFileTime(seconds);
}

} // namespace

CTimestampsDialog::CTimestampsDialog(const CHANGESETTINGS& settings, IPrompts& prompts,
                                     QWidget* parent)
    : QDialog(parent), m_prompts(prompts) {
    setWindowTitle(QStringLiteral("New File/Folder Timestamps"));
    auto* layout = new QVBoxLayout(this);
    auto* createdRow = new QHBoxLayout;
    createdRow->addWidget(BuildFrame(kCreated, settings.createdMode, settings.createdFixed,
                                     settings.createdDelta, settings.createdNegative),
                          1);
    auto* createdNote =
        new QLabel(QStringLiteral("Linux file systems do not let a program set the creation "
                                  "time: it is shown in the list but left unchanged on disk."),
                   this);
    createdNote->setWordWrap(true);
    createdNote->setMaximumWidth(220);
    createdRow->addWidget(createdNote);
    layout->addLayout(createdRow);
    layout->addWidget(BuildFrame(kModified, settings.modifiedMode, settings.modifiedFixed,
                                 settings.modifiedDelta, settings.modifiedNegative));
    layout->addWidget(BuildFrame(kAccessed, settings.accessedMode, settings.accessedFixed,
                                 settings.accessedDelta, settings.accessedNegative));
    layout->addWidget(
        new QLabel(QStringLiteral("NB Delta values are in Days, Hours, Minutes, Seconds"), this));
    auto* buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Qt::Horizontal, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CTimestampsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

QWidget* CTimestampsDialog::BuildFrame(int frame, TimestampMode mode, TimeValue fixed, qint64 delta,
                                       bool negative) {
    auto* box = new QGroupBox(QString::fromLatin1(kCaptions[frame]), this);
    auto* grid = new QGridLayout(box);
    FRAME& controls = m_frames[frame];
    controls.modes = new QButtonGroup(box);
    const QString names[] = {QStringLiteral("No Change"),
                             QStringLiteral("Current"),
                             QString::fromLatin1(kOtherTime[frame]),
                             QStringLiteral("Taken"),
                             QStringLiteral("Fixed"),
                             QStringLiteral("Delta")};
    for (int index = 0; index < 6; ++index) {
        auto* button = new QRadioButton(names[index], box);
        button->setAccessibleName(box->title() + QLatin1Char(' ') + names[index]);
        controls.modes->addButton(button, index);
        grid->addWidget(button, 0, index);
    }
    if (QAbstractButton* button = controls.modes->button(int(mode)))
        button->setChecked(true);

    controls.picker = new QDateTimeEdit(box);
    controls.picker->setCalendarPopup(true);
    controls.picker->setDisplayFormat(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    controls.picker->setDateTimeRange(kEarliest, kLatest);
    controls.picker->setDateTime(LocalDateTimeOf(fixed));
    controls.picker->setAccessibleName(box->title() + QStringLiteral(" Fixed"));
    grid->addWidget(controls.picker, 1, 0, 1, 2);
    connect(controls.picker, &QDateTimeEdit::dateTimeChanged, this,
            [&controls] { controls.modes->button(kFixedMode)->setChecked(true); });

    const DELTAPARTS parts = SplitDelta(delta);
    const qint64 values[] = {parts.days, parts.hours, parts.minutes, parts.seconds};
    auto* deltas = new QHBoxLayout;
    for (int part = 0; part < 4; ++part) {
        auto* spin = new QSpinBox(box);
        spin->setRange(0, kDeltaMaxima[part]);
        spin->setValue(static_cast<int>(qMin<qint64>(values[part], kDeltaMaxima[part])));
        spin->setAccessibleName(box->title() + QLatin1Char(' ') +
                                QString::fromLatin1(kDeltaLabels[part]));
        spin->setToolTip(QString::fromLatin1(kDeltaLabels[part]));
        controls.delta[part] = spin;
        // A visible label too: four bare number boxes in a row say nothing by themselves.
        auto* label = new QLabel(QString::fromLatin1(kDeltaLabels[part]), box);
        label->setBuddy(spin);
        deltas->addWidget(label);
        deltas->addWidget(spin);
    }
    grid->addLayout(deltas, 1, 2, 1, 3);
    controls.negative = new QCheckBox(QStringLiteral("Negative"), box);
    controls.negative->setChecked(negative);
    grid->addWidget(controls.negative, 1, 5);
    return box;
}

void CTimestampsDialog::Store(CHANGESETTINGS& settings) const {
    const auto frameValues = [this](int frame, TimestampMode& mode, TimeValue& fixed, qint64& delta,
                                    bool& negative) {
        const FRAME& controls = m_frames[frame];
        mode = TimestampMode(qMax(0, controls.modes->checkedId()));
        fixed = TimeValueOfLocal(controls.picker->dateTime());
        DELTAPARTS parts;
        parts.days = controls.delta[0]->value();
        parts.hours = controls.delta[1]->value();
        parts.minutes = controls.delta[2]->value();
        parts.seconds = controls.delta[3]->value();
        delta = JoinDelta(parts);
        negative = controls.negative->isChecked();
    };
    frameValues(kCreated, settings.createdMode, settings.createdFixed, settings.createdDelta,
                settings.createdNegative);
    frameValues(kModified, settings.modifiedMode, settings.modifiedFixed, settings.modifiedDelta,
                settings.modifiedNegative);
    frameValues(kAccessed, settings.accessedMode, settings.accessedFixed, settings.accessedDelta,
                settings.accessedNegative);
}

void CTimestampsDialog::accept() {
    CHANGESETTINGS chosen;
    Store(chosen);
    if (NeedsCreatedFromModifiedQuestion(chosen) &&
        m_prompts.Ask(CreatedFromModifiedQuestion(), PromptButtons::YesNo, PromptIcon::Warning) !=
            PromptAnswer::Yes)
        return;
    QDialog::accept();
}

void CTimestampsDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        emit HelpRequested(QStringLiteral("changingtimestamp.htm"));
        return;
    }
    QDialog::keyPressEvent(event);
}
