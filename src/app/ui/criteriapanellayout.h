// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <span>

// Where each criterion sits in its group frame. A labelled field puts its label in grid
// column `column` and its control after the label's columns; a check box or an
// unlabelled field puts its control in `column`. Number fields carry the range of their step
// buttons.
struct FIELDLAYOUT {
    const char* section;
    const char* key;
    const char* label;      // shown beside the control; empty for none (check boxes: their text)
    const char* spokenName; // what a screen reader calls the field; nullptr: the label
    int row;
    int column;
    int span;
    int minimum = 0;
    int maximum = 0;          // minimum < maximum marks a number field
    const char* choices = ""; // entries of a choice list, separated by "|"
    int labelSpan = 1;        // grid columns of the label; the control follows them
    [[nodiscard]] bool IsNumber() const { return minimum < maximum; }
};

std::span<const FIELDLAYOUT> PanelFields();

// "RegEx (1)" … "New Location (13)".
QString GroupCaption(int group);

// The groups of each column of frames, top to bottom.
std::span<const std::span<const int>> PanelColumns();

// The entries of a choice field's list.
QStringList ChoiceTexts(const FIELDLAYOUT& field);
