#pragma once

#include "files/clone_file.h"

#include <QList>
#include <QString>

namespace hxv5 {

class Document;

// One field that differs between two images: where it is ("slot 12", "VFO FM", "setting"), the
// field (a column header, "Enable", or a setting's caption) and the display texts of both sides.
struct ImageDifference
{
    QString where;
    QString field;
    QString valueA;
    QString valueB;

    bool operator==(const ImageDifference &other) const = default;
};

// Every field in which b differs from a: the settings first (in the settings panel's order),
// then the VFO bands, then the slots in slot order with their enable flags. Fields are compared
// by the texts the grids and the panel show (notes as a clone file stores them, line breaks as
// blanks), so two images list nothing exactly when the user could not tell them apart.
QList<ImageDifference> compareDocuments(const Document &a, const Document &b);

// Reads the clone file at path into a document of its own and compares doc with it; doc is not
// touched. differences is filled only when the file could be read.
FileError compareWithCloneFile(const Document &doc, const QString &path,
                               QList<ImageDifference> &differences);

// "slot 12 Frequency 145.50000 146.52000", "setting Beep on off": the four parts joined by one
// blank, an empty value written as "(empty)" so that every line keeps its four parts.
QString differenceLine(const ImageDifference &difference);

} // namespace hxv5
