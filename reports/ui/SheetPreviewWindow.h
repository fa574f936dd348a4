#pragma once

#include "reports/SheetDocument.h"

#include <QDialog>
#include <QPrinter>
#include <functional>

class QLabel;
class QPrintPreviewWidget;
class QPushButton;

// The preview of a sheet: its pages, page by page or zoomed, with buttons to
// print it, to save it as a PDF file and to export its lines to Excel or CSV. Its title is the sheet's title; the
// screen that asked for the sheet waits until it is closed.
class SheetPreviewWindow : public QDialog {
    Q_OBJECT
public:
    using PrintAction = std::function<void(QWidget* parent)>;

    SheetPreviewWindow(const SheetDocument& sheet, PrintAction print, QWidget* parent = nullptr);

    int pageCount() const;
    // The page shown, from 1.
    int currentPage() const;
    void showPage(int page);

private:
    QPushButton* addButton(const QString& name, const QString& text, const QString& tip);
    void updatePageLabel();

    const SheetDocument& m_sheet;
    PrintAction m_print;
    QPrinter m_printer;
    QPrintPreviewWidget* m_view = nullptr;
    QLabel* m_page = nullptr;
    QWidget* m_bar = nullptr;
};
