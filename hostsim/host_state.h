#pragma once
// What every hostsim object of one host shares: the options, the record, the failure rules and
// the counters. Objects hold it by shared_ptr, so an object that outlives its Host (held by a
// leaking add-in) still works and still records.

#include "hostsim/client_traits.h"
#include "hostsim/event_record.h"
#include "hostsim/faults.h"
#include "hostsim/host_options.h"

#include <windows.h>

#include <algorithm>
#include <vector>

namespace tessel::hostsim
{

class EventSource;

struct HostState
{
    explicit HostState(HostOptions hostOptions)
        : options(std::move(hostOptions)), traits(TraitsOf(options))
    {
    }

    HostOptions options;
    ClientTraits traits;
    EventRecord record;
    Faults faults;
    DWORD nextCookie = 1;
    int nextInspector = 1;
    int nextControlId = 3000;
    unsigned nextEntryId = 1;
    // hostsim objects of this host not yet freed.
    std::size_t liveObjects = 0;
    // Member calls refused because the caller asked for the wrong kind (a method as a property or
    // a property as a method).
    int refusedInvokeKinds = 0;
    // Every event source of this host, not counted, so that the host can drop all connections
    // when it shuts down.
    std::vector<EventSource*> eventSources;

    void Forget(EventSource* source)
    {
        eventSources.erase(std::remove(eventSources.begin(), eventSources.end(), source),
                           eventSources.end());
    }
};

} // namespace tessel::hostsim
