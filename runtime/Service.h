// How replaceable services are installed: the platform stand-ins for the handset's services, and
// the game's interfaces to subsystems that are built later.
//
// Each service is a small interface with the Linux implementation the program uses and a
// scriptable double beside it. The program uses whatever is installed in the service's slot (the
// Linux one by default); a test installs its double for the length of a scope.
#pragma once

#include <utility>

namespace runtime {

// One installable service: the installed one, else the default implementation.
template <typename Interface, typename Default> class ServiceSlot {
public:
    Interface& get() { return installed != nullptr ? *installed : fallback(); }
    // Installs service (null restores the default); returns what was installed before.
    Interface* install(Interface* service) { return std::exchange(installed, service); }

private:
    static Interface& fallback() {
        static Default service;
        return service;
    }
    Interface* installed = nullptr;
};

// The one slot of an interface, made on first use (so it exists whenever it is first asked for).
template <typename Interface, typename Default> ServiceSlot<Interface, Default>& serviceSlot() {
    static ServiceSlot<Interface, Default> slot;
    return slot;
}

// Installs a replacement for its lifetime and puts the previous service back afterwards.
template <typename Interface> class ScopedService {
public:
    using Installer = Interface* (*)(Interface*);
    ScopedService(const Installer installer, Interface& replacement)
        : install(installer), previous(installer(&replacement)) {}
    ~ScopedService() { install(previous); }
    ScopedService(const ScopedService&) = delete;
    ScopedService& operator=(const ScopedService&) = delete;

private:
    Installer install;
    Interface* previous;
};

} // namespace runtime
