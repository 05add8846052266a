#pragma once

#include <functional>
#include <map>

// The state an update handler gives a command's menu item or key.
struct CmdUI {
    bool enabled = true;
    bool checked = false;
};

// Command ids bound to handlers and update rules (the message maps of the
// view, document, frame and application in one table). A command without a
// handler is disabled, and a disabled command does nothing, whether it comes
// from a menu, a key or a button.
class CommandRouter {
public:
    using Handler = std::function<void()>;
    using Updater = std::function<void(CmdUI&)>;

    // Binds a command; a later binding of the same id replaces the earlier one.
    void Add(int id, Handler handler, Updater updater = {});
    bool Has(int id) const;
    CmdUI State(int id) const;
    // Runs the command when it has a handler and is enabled; true if it ran.
    bool Execute(int id);
    // Called after every command that ran, so menus and keys follow at once.
    void SetAfterCommand(std::function<void()> callback) { m_afterCommand = std::move(callback); }

private:
    struct Entry {
        Handler handler;
        Updater updater;
    };
    std::map<int, Entry> m_entries;
    std::function<void()> m_afterCommand;
};
