// Fuzzes the tape file's reader with arbitrary bytes. Beyond "no crash" it
// checks that what it reads it writes back unchanged:
// - a file it refuses gives no calculations; each one it reads has lines and
//   an identity;
// - the written form reads back as the same calculations, identities, every
//   field and every number to the last bit included;
// - writing what was read back gives the same bytes;
// - a document holding them writes the same bytes (the last Limit of them).
#include "brix/calcwindows/tapedocument.h"

#include <QByteArray>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace Brix;

namespace {

void Check(bool Condition, const char *What)
{
    if (!Condition) {
        fprintf(stderr, "fuzz_calcwindows_tape: %s\n", What);
        abort();
    }
}

// Equal, and every number of the same sign (== holds -0 and 0 equal).
bool Same(const QList<TBrixTapeCalculation> &A, const QList<TBrixTapeCalculation> &B)
{
    if (A != B)
        return false;
    for (qsizetype C = 0; C < A.size(); ++C)
        for (qsizetype L = 0; L < A[C].size(); ++L)
            if (std::signbit(A[C][L].Value) != std::signbit(B[C][L].Value))
                return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size)
{
    const QByteArray Bytes(reinterpret_cast<const char *>(Data), qsizetype(Size));
    QList<TBrixTapeCalculation> Read;
    const QString Reason = TBrixTapeDocument::Parse(Bytes, Read);
    if (!Reason.isEmpty()) {
        Check(Read.isEmpty(), "a refused file gave calculations");
        return 0;
    }
    for (const TBrixTapeCalculation &Calculation : Read) {
        Check(!Calculation.isEmpty(), "a calculation without lines");
        Check(!Calculation.Id.isEmpty(), "a calculation without an identity");
        for (const TBrixCalcRecordLine &Line : Calculation)
            Check(std::isfinite(Line.Value) && (Line.HasValue() || Line.Value == 0),
                  "a number that cannot be written, or one on a line without one");
    }

    const QByteArray Written = TBrixTapeDocument::Serialize(Read);
    QList<TBrixTapeCalculation> Again;
    Check(TBrixTapeDocument::Parse(Written, Again).isEmpty(), "the written tape is refused");
    Check(Same(Again, Read), "the written tape reads back otherwise");
    Check(TBrixTapeDocument::Serialize(Again) == Written, "the second write differs");

    // A document with them (as undo puts them back) writes the same.
    TBrixTapeDocument Document;
    Document.Restore(Read, TBrixCalcRecord());
    const QList<TBrixTapeCalculation> Last =
        Read.mid(std::max<qsizetype>(0, Read.size() - TBrixTapeDocument::Limit));
    Check(Document.Serialized() == TBrixTapeDocument::Serialize(Last),
          "the document writes otherwise");
    return 0;
}
