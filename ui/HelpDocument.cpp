#include "ui/HelpDocument.h"

#include <QList>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextOption>

namespace quor {

namespace {

constexpr double TwipsPerInch = 1440;

QTextCharFormat CharFormat(const rtf::CharFormat& f, const rtf::Document& doc)
{
    QTextCharFormat cf;
    if (const auto font = doc.Fonts.find(f.Font); font != doc.Fonts.end()) {
        cf.setFontFamilies({QString::fromStdString(font->second)});
    }
    cf.setFontPointSize(f.HalfPoints / 2.0);
    cf.setFontWeight(f.Bold ? QFont::Bold : QFont::Normal);
    cf.setFontItalic(f.Italic);
    return cf;
}

QTextBlockFormat BlockFormat(const rtf::Paragraph& p, double dpi)
{
    const auto px = [dpi](int twips) { return twips * dpi / TwipsPerInch; };
    QTextBlockFormat bf;
    bf.setLeftMargin(px(p.LeftIndent));
    bf.setTextIndent(px(p.FirstIndent));
    bf.setTopMargin(px(p.SpaceBefore));
    bf.setBottomMargin(px(p.SpaceAfter));
    QList<QTextOption::Tab> tabs;
    // RTF measures tab stops from the page margin, Qt from where the
    // paragraph's first line starts; a stop before that start is no stop.
    const int lineStart = p.LeftIndent + p.FirstIndent;
    for (int tab : p.Tabs) {
        if (tab > lineStart) {
            tabs.append(QTextOption::Tab(px(tab - lineStart), QTextOption::LeftTab));
        }
    }
    bf.setTabPositions(tabs);
    return bf;
}

}  // namespace

void FillTextDocument(QTextDocument& out, const rtf::Document& doc, double dpi)
{
    out.clear();
    QTextCursor cursor(&out);
    bool first = true;
    for (const rtf::Paragraph& p : doc.Paragraphs) {
        const QTextCharFormat mark = CharFormat(p.Mark, doc);
        if (first) {
            cursor.setBlockFormat(BlockFormat(p, dpi));
            cursor.setBlockCharFormat(mark);
            first = false;
        } else {
            cursor.insertBlock(BlockFormat(p, dpi), mark);
        }
        for (const rtf::Run& r : p.Runs) {
            QString text = QString::fromStdString(r.Text);
            text.replace(QLatin1Char('\n'), QChar::LineSeparator);
            cursor.insertText(text, CharFormat(r.Format, doc));
        }
    }
}

}  // namespace quor
