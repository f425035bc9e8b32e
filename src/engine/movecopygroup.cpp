// SPDX-License-Identifier: GPL-3.0-or-later
#include "namegroups.h"

#include "textposition.h"

#include "filelist/textrules.h"

namespace {

// A base shorter than the count gives no piece and stays as it is.
QString TakePiece(QString& base, MoveSource source, qint32 count) {
    if (base.size() < count)
        return QString();
    const bool first = source == MoveSource::CopyFirst || source == MoveSource::MoveFirst;
    const qsizetype cut = first ? CharacterBoundary(base, count, CountedFrom::Start)
                                : CharacterBoundary(base, base.size() - count, CountedFrom::End);
    const QString piece = first ? base.left(cut) : base.mid(cut);
    if (source == MoveSource::MoveFirst)
        base.remove(0, cut);
    else if (source == MoveSource::MoveLast)
        base.truncate(cut);
    return piece;
}

// Runs even without a piece, so that the separators alone are still placed.
void PutPiece(QString& base, const QString& piece, const MOVECOPYCRITERIA& c,
              const CRITERIANUMBERS& numbers) {
    switch (c.target) {
    case MoveTarget::ToStart:
        base = piece + c.separator + base;
        break;
    case MoveTarget::ToEnd:
        base = base + c.separator + piece;
        break;
    case MoveTarget::ToPosition: {
        const qint64 position = qMin<qint64>(numbers.moveTargetPos, base.size() + 1);
        const qsizetype index = CharacterBoundary(base, position - 1, CountedFrom::Start);
        base.insert(index, c.separator + piece + c.separator);
        break;
    }
    default:
        break;
    }
}

} // namespace

void ApplyMoveCopyGroup(const GROUPCONTEXT& context, QString& base) {
    const MOVECOPYCRITERIA& c = context.criteria.moveCopy;
    const qint32 count = context.numbers.moveCount;
    if (c.source < MoveSource::CopyFirst || c.source > MoveSource::MoveLast || count <= 0)
        return;
    const QString piece = TakePiece(base, c.source, count);
    PutPiece(base, piece, c, context.numbers);
}
