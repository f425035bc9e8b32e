// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QJsonObject>
#include <QList>
#include <QStringList>

// An array of objects laid out as an indented QJsonDocument would be, but with each
// object's keys in the order given (QJsonObject itself sorts them). A key the order does not
// name follows the named key it begins with (nameHex after name), else comes last.
QString OrderedJsonText(const QList<QJsonObject>& objects, const QStringList& keyOrder);
