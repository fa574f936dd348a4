#pragma once

#include "References.h"
#include "TechnicalResults.h"
#include "reports/HouseSheet.h"
#include "reports/SheetRows.h"

// The sheet "Resultados Técnicos" in the house style: A4 portrait, the period as
// its selection caption; a line of the references, then a bold section "Por
// bandas" with one line per band and their total, and a section "Por meses" with
// one line per month and the period's total; a column per indicator. A figure
// short of its reference but within the limit is followed by " *", one beyond
// the limit by " **"; "—" where there is no divisor. The legend closes the sheet.
//
// Detail element names: "concepto" and each indicator's key in lower case.
class ResultsSheet : public HouseSheet {
public:
    ResultsSheet(Database& db, const QDate& today, const DatePeriod& period, const results::TechnicalResults& figures,
                 const results::References& references);
    ListRows rows() const;

    static QString columnName(results::Indicator id);
    // The figure with its printed mark.
    static QString markedText(results::Indicator id, const std::optional<double>& value,
                              const results::References& references);

private:
    results::TechnicalResults m_figures;
    results::References m_references;
};
