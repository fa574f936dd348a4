#include "SheetPreviewWindow.h"

#include "SheetOutput.h"
#include "SheetRenderer.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

SheetPreviewWindow::SheetPreviewWindow(const SheetDocument& sheet, PrintAction print, QWidget* parent)
    : QDialog(parent), m_sheet(sheet), m_print(std::move(print)), m_printer(QPrinter::HighResolution) {
    setObjectName(QStringLiteral("SheetPreviewWindow"));
    setWindowTitle(sheet.title);
    setModal(true);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);

    // The preview paints on a printer's pages: A4 in the sheet's orientation, margins left to the sheet.
    m_printer.setDocName(sheet.title);
    m_printer.setFullPage(true);
    m_printer.setPageLayout(SheetRenderer::pageLayout(sheet));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    m_bar = new QWidget(this);
    auto* bar = new QHBoxLayout(m_bar);
    bar->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_bar);

    m_view = new QPrintPreviewWidget(&m_printer, this);
    m_view->setObjectName(QStringLiteral("paginas"));
    connect(m_view, &QPrintPreviewWidget::paintRequested, this,
            [this](QPrinter* printer) { SheetRenderer::paint(m_sheet, *printer); });
    connect(m_view, &QPrintPreviewWidget::previewChanged, this, &SheetPreviewWindow::updatePageLabel);
    layout->addWidget(m_view, 1);

    QPushButton* printButton = addButton(QStringLiteral("imprimir"), QStringLiteral("Imprimir"),
                                         QStringLiteral("Enviar la hoja a la impresora"));
    connect(printButton, &QPushButton::clicked, this, [this] { m_print(this); });
    QPushButton* pdf = addButton(QStringLiteral("guardarPdf"), QStringLiteral("Guardar PDF..."),
                                 QStringLiteral("Guardar la hoja como documento PDF"));
    connect(pdf, &QPushButton::clicked, this, [this] { sheets::saveAsPdf(this, m_sheet); });
    QPushButton* excel = addButton(QStringLiteral("exportarExcel"), QStringLiteral("Exportar a Excel"),
                                   QStringLiteral("Guardar las líneas de la hoja como libro de Excel"));
    connect(excel, &QPushButton::clicked, this, [this] { sheets::exportToExcel(this, m_sheet); });
    QPushButton* csv = addButton(QStringLiteral("exportarCsv"), QStringLiteral("Exportar a CSV"),
                                 QStringLiteral("Guardar las líneas de la hoja como texto separado por \";\""));
    connect(csv, &QPushButton::clicked, this, [this] { sheets::exportToCsv(this, m_sheet); });
    bar->addSpacing(12);
    connect(addButton(QStringLiteral("primera"), QStringLiteral("|<"), QStringLiteral("Primera página")),
            &QPushButton::clicked, this, [this] { showPage(1); });
    connect(addButton(QStringLiteral("anterior"), QStringLiteral("<"), QStringLiteral("Página anterior")),
            &QPushButton::clicked, this, [this] { showPage(currentPage() - 1); });
    m_page = new QLabel(m_bar);
    m_page->setObjectName(QStringLiteral("pagina"));
    m_page->setAlignment(Qt::AlignCenter);
    m_page->setMinimumWidth(110);
    bar->addWidget(m_page);
    connect(addButton(QStringLiteral("siguiente"), QStringLiteral(">"), QStringLiteral("Página siguiente")),
            &QPushButton::clicked, this, [this] { showPage(currentPage() + 1); });
    connect(addButton(QStringLiteral("ultima"), QStringLiteral(">|"), QStringLiteral("Última página")),
            &QPushButton::clicked, this, [this] { showPage(pageCount()); });
    bar->addSpacing(12);
    connect(addButton(QStringLiteral("paginaCompleta"), QStringLiteral("Página completa"),
                      QStringLiteral("Ver la página entera")),
            &QPushButton::clicked, m_view, &QPrintPreviewWidget::fitInView);
    connect(addButton(QStringLiteral("anchoPagina"), QStringLiteral("Ancho de página"),
                      QStringLiteral("Ajustar al ancho de la página")),
            &QPushButton::clicked, m_view, &QPrintPreviewWidget::fitToWidth);
    connect(addButton(QStringLiteral("ampliar"), QStringLiteral("+"), QStringLiteral("Ampliar")), &QPushButton::clicked,
            m_view, [this] { m_view->zoomIn(); });
    connect(addButton(QStringLiteral("reducir"), QStringLiteral("-"), QStringLiteral("Reducir")), &QPushButton::clicked,
            m_view, [this] { m_view->zoomOut(); });
    bar->addStretch(1);
    QPushButton* close =
        addButton(QStringLiteral("cerrar"), QStringLiteral("Cerrar"), QStringLiteral("Cerrar la vista preliminar"));
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    close->setDefault(true);

    // Page keys turn the pages whichever control has the focus.
    const std::pair<QKeySequence, std::function<void()>> keys[] = {
        {QKeySequence(Qt::Key_PageDown), [this] { showPage(currentPage() + 1); }},
        {QKeySequence(Qt::Key_PageUp), [this] { showPage(currentPage() - 1); }},
        {QKeySequence(Qt::CTRL | Qt::Key_Home), [this] { showPage(1); }},
        {QKeySequence(Qt::CTRL | Qt::Key_End), [this] { showPage(pageCount()); }},
    };
    for (const auto& [key, action] : keys)
        connect(new QShortcut(key, this), &QShortcut::activated, this, action);

    m_view->updatePreview();
    m_view->fitToWidth();
    updatePageLabel();
    resize(900, 1000);
    setWindowState(windowState() | Qt::WindowMaximized);
}

QPushButton* SheetPreviewWindow::addButton(const QString& name, const QString& text, const QString& tip) {
    auto* button = new QPushButton(text, m_bar);
    button->setObjectName(name);
    button->setToolTip(tip);
    button->setAutoDefault(false);
    // The page and zoom arrows stay narrow so the whole bar fits a 1366-pixel screen.
    if (text.size() <= 2)
        button->setMaximumWidth(40);
    m_bar->layout()->addWidget(button);
    return button;
}

int SheetPreviewWindow::pageCount() const {
    return m_view->pageCount();
}

int SheetPreviewWindow::currentPage() const {
    return m_view->currentPage();
}

void SheetPreviewWindow::showPage(int page) {
    m_view->setCurrentPage(std::clamp(page, 1, std::max(pageCount(), 1)));
    updatePageLabel();
}

void SheetPreviewWindow::updatePageLabel() {
    m_page->setText(QStringLiteral("Página %1 de %2").arg(currentPage()).arg(pageCount()));
}
