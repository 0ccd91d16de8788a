#pragma once
// A reader for Rich Text Format that fills a QTextDocument: fonts, sizes, bold, italic,
// underline, strike-out, colours, alignment, indents and spacing, paragraphs, line breaks,
// tabs, bullets, single-byte code pages with \'hh escapes, \uN with its fallback, and the
// destinations a viewer must skip (pictures, {\*...} groups, headers, style sheets...).
//
// Malformed input never throws, crashes or loops: unbalanced braces, truncated files,
// huge numbers and deep nesting are all read as far as they make sense.

#include <QByteArray>
#include <QString>

class QTextDocument;

namespace rtf {

// Replaces the whole content of `document` with the rich text in `data`. Data that does
// not start as RTF ("{\rtf") is shown as plain Windows-1250 text, as a rich-text box does.
void read(const QByteArray &data, QTextDocument *document);

// Reads the file at `path` into `document`; throws std::runtime_error with a readable
// message when the file cannot be opened or read.
void readFile(const QString &path, QTextDocument *document);

// Single-byte code pages: 1250 and 1252 built in, others through Qt's codecs where
// available (else read as 1252). Code page 42 is the Symbol font's own.
QString decodeCodePage(const QByteArray &bytes, int codePage);

}  // namespace rtf
