#include "XlsxBook.h"

#include <QFile>
#include <QRegularExpression>
#include <algorithm>
#include <xlsxwriter.h>

namespace {

constexpr int kMaxName = 31;
constexpr int kMaxText = 32767; // characters a cell holds
constexpr unsigned kMaxRows = 1048576;
constexpr int kMaxWidth = 60;

QString reason(lxw_error error) {
    return QString::fromUtf8(lxw_strerror(error));
}

// The number format that shows the value as the sheet did.
QString formatCode(const ExportCell& cell) {
    QString code = cell.grouped ? QStringLiteral("#,##0") : QStringLiteral("0");
    if (cell.decimals > 0)
        code += QLatin1Char('.') + QString(cell.decimals, QLatin1Char('0'));
    if (cell.percent)
        code += QStringLiteral("\" %\"");
    return code;
}

} // namespace

XlsxBook::XlsxBook(const QString& path, Options options)
    : m_path(path), m_partial(path + QStringLiteral(".parcial")) {
    lxw_workbook_options o{};
    o.constant_memory = options.streaming ? LXW_TRUE : LXW_FALSE;
    o.use_zip64 = LXW_TRUE;
    // Written aside and put in place when complete: a failed export leaves no half
    // file and keeps the one it was to replace.
    const QByteArray file = QFile::encodeName(m_partial);
    m_book = workbook_new_opt(file.constData(), &o);
    if (!m_book)
        throw ExportError(QStringLiteral("No se puede crear el libro"));
    m_title = workbook_add_format(m_book);
    format_set_bold(m_title);
    format_set_font_size(m_title, 14);
    m_caption = workbook_add_format(m_book);
    format_set_bold(m_caption);
    format_set_bottom(m_caption, LXW_BORDER_THIN);
    m_date = workbook_add_format(m_book);
    format_set_num_format(m_date, "dd/mm/yyyy");
}

XlsxBook::~XlsxBook() {
    if (m_book) {
        workbook_close(m_book);
        QFile::remove(m_partial);
    }
}

QString XlsxBook::sheetName(const QString& wanted, const QSet<QString>& taken) {
    static const QRegularExpression refused(QStringLiteral("[\\[\\]:*?/\\\\]"));
    QString base = QString(wanted).replace(refused, QStringLiteral("_")).trimmed();
    while (base.startsWith(QLatin1Char('\'')))
        base.remove(0, 1);
    if (base.isEmpty())
        base = QStringLiteral("Hoja");
    base = base.left(kMaxName);
    while (base.endsWith(QLatin1Char('\'')))
        base.chop(1);
    const auto isTaken = [&](const QString& name) {
        return std::any_of(taken.begin(), taken.end(),
                           [&](const QString& t) { return t.compare(name, Qt::CaseInsensitive) == 0; });
    };
    QString name = base;
    for (int n = 2; isTaken(name); ++n) {
        const QString suffix = QStringLiteral(" (%1)").arg(n);
        name = base.left(kMaxName - int(suffix.size())) + suffix;
    }
    return name;
}

void XlsxBook::addSheet(const QString& wanted, const QStringList& heading, const QStringList& captions) {
    finishSheet();
    const QString name = sheetName(wanted, m_names);
    m_names.insert(name);
    const QByteArray utf8 = name.toUtf8();
    m_sheet = workbook_add_worksheet(m_book, utf8.constData());
    if (!m_sheet)
        throw ExportError(QStringLiteral("No se puede añadir la hoja \"%1\"").arg(name));
    m_row = 0;
    m_widths.assign(size_t(captions.size()), 8);
    for (qsizetype i = 0; i < heading.size(); ++i) {
        const QByteArray line = heading[i].left(kMaxText).toUtf8();
        worksheet_write_string(m_sheet, m_row++, 0, line.constData(), i == 0 ? m_title : nullptr);
    }
    if (!heading.isEmpty())
        ++m_row; // a blank line between the heading and the table
    for (qsizetype c = 0; c < captions.size(); ++c) {
        const QByteArray caption = captions[c].left(kMaxText).toUtf8();
        worksheet_write_string(m_sheet, m_row, lxw_col_t(c), caption.constData(), m_caption);
        m_widths[size_t(c)] = std::max(m_widths[size_t(c)], int(captions[c].size()) + 2);
    }
    if (!captions.isEmpty()) {
        worksheet_freeze_panes(m_sheet, m_row + 1, 0);
        worksheet_autofilter(m_sheet, m_row, 0, m_row, lxw_col_t(captions.size() - 1));
    }
    ++m_row;
}

lxw_format* XlsxBook::numberFormat(const ExportCell& cell) {
    const QString code = formatCode(cell);
    if (lxw_format* known = m_numbers.value(code))
        return known;
    lxw_format* format = workbook_add_format(m_book);
    format_set_num_format(format, code.toUtf8().constData());
    m_numbers.insert(code, format);
    return format;
}

void XlsxBook::addRow(const std::vector<ExportCell>& cells) {
    if (!m_sheet)
        addSheet(QString(), {}, {});
    if (m_row >= kMaxRows)
        throw ExportError(QStringLiteral("La hoja pasa de las %1 filas que admite un libro Excel").arg(kMaxRows));
    if (m_widths.size() < cells.size())
        m_widths.resize(cells.size(), 8);
    for (size_t c = 0; c < cells.size(); ++c) {
        const ExportCell& cell = cells[c];
        const lxw_col_t column = lxw_col_t(c);
        lxw_error error = LXW_NO_ERROR;
        switch (cell.kind) {
        case ExportCell::Kind::Empty:
            continue;
        case ExportCell::Kind::Number:
            error = worksheet_write_number(m_sheet, m_row, column, cell.number, numberFormat(cell));
            break;
        case ExportCell::Kind::Date:
            if (cell.date.year() >= 1900) {
                lxw_datetime when{cell.date.year(), cell.date.month(), cell.date.day(), 0, 0, 0.0};
                error = worksheet_write_datetime(m_sheet, m_row, column, &when, m_date);
            } else { // before the spreadsheet's calendar: kept as shown
                const QByteArray text = cell.text.toUtf8();
                error = worksheet_write_string(m_sheet, m_row, column, text.constData(), nullptr);
            }
            break;
        case ExportCell::Kind::Logical:
            error = worksheet_write_boolean(m_sheet, m_row, column, cell.logical ? 1 : 0, nullptr);
            break;
        case ExportCell::Kind::Text: {
            const QByteArray text = cell.text.left(kMaxText).toUtf8();
            error = worksheet_write_string(m_sheet, m_row, column, text.constData(), nullptr);
            break;
        }
        }
        if (error != LXW_NO_ERROR)
            throw ExportError(reason(error));
        m_widths[c] = std::min(kMaxWidth, std::max(m_widths[c], int(cell.text.size()) + 2));
    }
    ++m_row;
}

void XlsxBook::addTable(const ExportTable& table) {
    addSheet(table.name, table.heading, table.captions);
    for (const std::vector<ExportCell>& row : table.rows)
        addRow(row);
}

void XlsxBook::finishSheet() {
    if (!m_sheet)
        return;
    for (size_t c = 0; c < m_widths.size(); ++c)
        worksheet_set_column(m_sheet, lxw_col_t(c), lxw_col_t(c), m_widths[c], nullptr);
    m_sheet = nullptr;
}

void XlsxBook::close() {
    if (!m_book)
        return;
    if (m_names.isEmpty())
        addSheet(QString(), {}, {}); // a workbook holds at least one sheet
    finishSheet();
    lxw_workbook* book = m_book;
    m_book = nullptr;
    const lxw_error error = workbook_close(book);
    if (error != LXW_NO_ERROR) {
        QFile::remove(m_partial);
        throw ExportError(reason(error));
    }
    QFile::remove(m_path);
    if (!QFile::rename(m_partial, m_path)) {
        QFile::remove(m_partial);
        throw ExportError(QStringLiteral("No se puede escribir \"%1\"").arg(m_path));
    }
}
