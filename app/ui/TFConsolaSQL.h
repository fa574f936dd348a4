#pragma once

#include <QDialog>

class Database;
class QPlainTextEdit;

// The technician's free-SQL console: one statement typed and run against the
// farm database, reporting only success or failure.
class TFConsolaSQL : public QDialog {
    Q_OBJECT
public:
    TFConsolaSQL(Database& db, QWidget* parent = nullptr);

private:
    void run();

    Database& m_db;
    QPlainTextEdit* m_text;
};
