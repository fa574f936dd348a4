#include "PdfBook.h"

#include "SheetRenderer.h"
#include "widgets/AppInfo.h"

#include <QPainter>

namespace {
constexpr double kMmPerInch = 25.4;
}

PdfBook::PdfBook(const QString& path, const QString& title) : m_file(path) {
    m_ok = m_file.open(QIODevice::WriteOnly);
    if (!m_ok)
        return;
    m_writer = std::make_unique<QPdfWriter>(&m_file);
    m_writer->setResolution(600);
    m_writer->setTitle(title);
    m_writer->setCreator(QString::fromUtf8(app::kTitle));
}

PdfBook::~PdfBook() {
    if (m_painter && m_painter->isActive())
        m_painter->end();
    m_painter.reset();
    m_writer.reset();
    if (m_file.isOpen())
        m_file.cancelWriting();
}

bool PdfBook::add(const SheetDocument& sheet) {
    if (!m_ok)
        return false;
    for (const SheetPage& page : sheet.pages) {
        m_writer->setPageLayout(SheetRenderer::pageLayout(sheet));
        if (!m_painter) {
            m_painter = std::make_unique<QPainter>();
            m_ok = m_painter->begin(m_writer.get());
        } else {
            m_ok = m_writer->newPage();
        }
        if (!m_ok)
            return false;
        SheetRenderer::paintPage(*m_painter, page, m_writer->logicalDpiX() / kMmPerInch);
        ++m_pages;
    }
    return true;
}

bool PdfBook::commit() {
    if (!m_ok || !m_painter)
        return false;
    m_ok = m_painter->end();
    m_painter.reset();
    m_writer.reset();
    return m_ok && m_file.commit();
}
