#pragma once
// Shows a read RTF document in Qt's rich text.

#include "help/RtfReader.h"

class QTextDocument;

namespace quor {

// Replaces the content of out by doc. dpi turns the document's twips into
// the pixels of the view. Runs whose font the document does not name keep
// out's default family.
void FillTextDocument(QTextDocument& out, const rtf::Document& doc, double dpi);

}  // namespace quor
