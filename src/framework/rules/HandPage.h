// The scripted browser by hand (scripts/run --scripted): the page's own commands offered to a
// person as buttons, since that browser runs no page script. Which commands a page has
// follows from its address; what a button does is the navigation the page's script makes.
#pragma once
#include <string>
#include <vector>

namespace hand {

struct Command {
    std::wstring label;
    std::wstring address;  // where the page goes
    std::wstring cookie;   // set for `address` first when not empty ("name=value")
};

struct Hosts {
    std::wstring account;  // the login page's
    std::wstring bridge;   // the external login bridge's
    std::wstring client;   // the game pages' and the portal's
};

// The login page's commands, with `record` ("server-account") for the login button; the
// authorisation page's "done" for a bridge page; none for any other page.
std::vector<Command> CommandsFor(const std::wstring& url, const std::wstring& record, const Hosts& hosts);

// Whether the page takes a login record typed by the person (the login page).
bool TakesRecord(const std::wstring& url, const Hosts& hosts);

}  // namespace hand
