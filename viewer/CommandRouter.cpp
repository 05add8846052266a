#include "CommandRouter.h"

void CommandRouter::Add(int id, Handler handler, Updater updater) {
    m_entries[id] = Entry{std::move(handler), std::move(updater)};
}

bool CommandRouter::Has(int id) const {
    const auto it = m_entries.find(id);
    return it != m_entries.end() && it->second.handler;
}

CmdUI CommandRouter::State(int id) const {
    CmdUI ui;
    const auto it = m_entries.find(id);
    if (it == m_entries.end() || !it->second.handler) {
        ui.enabled = false;
        return ui;
    }
    if (it->second.updater)
        it->second.updater(ui);
    return ui;
}

bool CommandRouter::Execute(int id) {
    if (!State(id).enabled)
        return false;
    // Copy the handler: a command may rebind commands while it runs.
    const Handler handler = m_entries[id].handler;
    handler();
    if (m_afterCommand)
        m_afterCommand();
    return true;
}
