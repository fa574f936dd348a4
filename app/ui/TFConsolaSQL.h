#pragma once

#include <QDialog>

class Database;
class QPlainTextEdit;
class TMensajeroCancelable;

// The technician's free-SQL console: one statement typed and run against the
// farm database, reporting only success or failure. While the statement runs a
// waiting message offers "Cancelar" (Escape too) and the program keeps
// answering; a failed or cancelled statement leaves the console open with its
// text, to be put right.
class TFConsolaSQL : public QDialog {
    Q_OBJECT
public:
    TFConsolaSQL(Database& db, QWidget* parent = nullptr);

    static constexpr const char* kRunning = "Ejecutando la sentencia SQL... Por favor, espere.";
    static constexpr const char* kCancelled = "Se ha cancelado la sentencia SQL";

    void reject() override;

private:
    void run();

    Database& m_db;
    QPlainTextEdit* m_text;
    TMensajeroCancelable* m_waiting = nullptr; // while a statement runs
};
