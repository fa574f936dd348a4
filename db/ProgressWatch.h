#pragma once

#include <functional>

class Database;

// While it lives, the engine calls `poll` every `everyOps` steps of whatever
// statement runs on the connection. When poll answers false the statement is
// interrupted and fails, with nothing of it kept. One watch per connection at a
// time; the handler is removed when the watch goes.
class ProgressWatch {
public:
    ProgressWatch(Database& db, std::function<bool()> poll, int everyOps = 1000);
    ProgressWatch(const ProgressWatch&) = delete;
    ProgressWatch& operator=(const ProgressWatch&) = delete;
    ~ProgressWatch();

    // The statement was stopped because poll said so.
    bool interrupted() const { return m_interrupted; }

private:
    static int onProgress(void* self);

    Database& m_db;
    std::function<bool()> m_poll;
    bool m_interrupted = false;
};
