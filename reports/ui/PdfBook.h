#pragma once

#include "reports/SheetDocument.h"

#include <QPdfWriter>
#include <QSaveFile>
#include <memory>

class QPainter;

// Several sheets, one after the other, in one PDF file. Each sheet keeps its own
// paper; the file replaces an earlier one only once commit() succeeds, so a
// book given up half way leaves nothing behind.
//
//     PdfBook book(path);
//     for (...) book.add(sheet);
//     book.commit();
class PdfBook {
public:
    explicit PdfBook(const QString& path, const QString& title);
    ~PdfBook();
    PdfBook(const PdfBook&) = delete;
    PdfBook& operator=(const PdfBook&) = delete;

    // False when the file could not be opened for writing.
    bool isOpen() const { return m_writer != nullptr; }
    // False once the file cannot be opened or a page cannot be started.
    bool add(const SheetDocument& sheet);
    // Ends the file; false when nothing could be written.
    bool commit();
    int pages() const { return m_pages; }

private:
    QSaveFile m_file;
    std::unique_ptr<QPdfWriter> m_writer;
    std::unique_ptr<QPainter> m_painter;
    bool m_ok = false;
    int m_pages = 0;
};
