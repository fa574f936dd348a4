#pragma once

#include "ExportTable.h"

#include <QHash>
#include <QSet>
#include <memory>

struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;

// An Excel workbook written with libxlsxwriter, worksheet after worksheet and row
// after row. Above each table stand its heading lines (the first bold and larger),
// then a blank line and the header row of captions in bold over a rule, frozen
// while scrolling and with a filter. Numbers are written as numbers in the format
// the sheet showed them ("#,##0.00", "0.00 %"), dates as dates ("dd/mm/yyyy"),
// logicals as logicals, texts as texts. Columns are as wide as their texts.
class XlsxBook {
public:
    struct Options {
        // Rows go to the file as they come, not kept in memory (a whole farm's tables).
        bool streaming = false;
    };

    // Throws ExportError when the file cannot be started.
    explicit XlsxBook(const QString& path, Options options);
    explicit XlsxBook(const QString& path) : XlsxBook(path, Options{}) {}
    // A book not closed is closed here, any error dropped.
    ~XlsxBook();
    XlsxBook(const XlsxBook&) = delete;
    XlsxBook& operator=(const XlsxBook&) = delete;

    // Starts a worksheet. Its name is cut to the 31 characters a workbook takes,
    // with the characters it refuses ("[]:*?/\") made "_" and a number added when
    // another sheet has it already.
    void addSheet(const QString& name, const QStringList& heading, const QStringList& captions);
    // Throws ExportError past the last row a worksheet holds.
    void addRow(const std::vector<ExportCell>& cells);
    // A whole table on a worksheet of its own.
    void addTable(const ExportTable& table);
    // Writes the file; throws ExportError with the reason when it cannot.
    void close();

    // The name a worksheet gets (see addSheet), given those taken.
    static QString sheetName(const QString& wanted, const QSet<QString>& taken);

private:
    lxw_format* numberFormat(const ExportCell& cell);
    void finishSheet();

    QString m_path;
    QString m_partial;
    lxw_workbook* m_book = nullptr;
    lxw_worksheet* m_sheet = nullptr;
    lxw_format* m_title = nullptr;
    lxw_format* m_caption = nullptr;
    lxw_format* m_date = nullptr;
    QHash<QString, lxw_format*> m_numbers;
    QSet<QString> m_names;
    std::vector<int> m_widths; // characters per column of the current sheet
    unsigned m_row = 0;
};
