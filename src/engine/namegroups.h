// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "namegenerator.h"

// The eleven name-changing groups, in the order the generator runs them. Groups 1 to 10
// change the base name, group 11 the extension; each runs only while it is active.
void ApplyRegexGroup(const GROUPCONTEXT& context, QString& base);
void ApplyNameGroup(const GROUPCONTEXT& context, QString& base);
void ApplyReplaceGroup(const GROUPCONTEXT& context, QString& base);
void ApplyCaseGroup(const GROUPCONTEXT& context, QString& base);
void ApplyRemovalGroup(const GROUPCONTEXT& context, QString& base);
void ApplyMoveCopyGroup(const GROUPCONTEXT& context, QString& base);
void ApplyAdditionGroup(const GROUPCONTEXT& context, QString& base);
void ApplyAutoDateGroup(const GROUPCONTEXT& context, QString& base);
void ApplyFolderNameGroup(const GROUPCONTEXT& context, QString& base);
void ApplyNumberingGroup(const GROUPCONTEXT& context, QString& base);
void ApplyExtensionGroup(const GROUPCONTEXT& context, QString& ext);
