#include "ProgressWatch.h"

#include "Database.h"

#include <sqlite3.h>

ProgressWatch::ProgressWatch(Database& db, std::function<bool()> poll, int everyOps)
    : m_db(db), m_poll(std::move(poll)) {
    sqlite3_progress_handler(m_db.handle(), everyOps, &ProgressWatch::onProgress, this);
}

ProgressWatch::~ProgressWatch() {
    sqlite3_progress_handler(m_db.handle(), 0, nullptr, nullptr);
}

int ProgressWatch::onProgress(void* self) {
    auto* watch = static_cast<ProgressWatch*>(self);
    if (!watch->m_interrupted && !watch->m_poll())
        watch->m_interrupted = true;
    // Non-zero stops the statement with SQLITE_INTERRUPT.
    return watch->m_interrupted ? 1 : 0;
}
