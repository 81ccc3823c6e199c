# Windows: the IP helper library loaded at run time, kernel events, the shell's folders, the version
# library. Built with mingw-w64 (cmake/mingw-w64-x86_64.cmake).
set(QN_PLATFORM_SOURCES
    windows/app_data.cpp
    windows/atomic_file.cpp
    windows/clock.cpp
    windows/event.cpp
    windows/file_lock.cpp
    windows/heap.cpp
    windows/interface_name.cpp
    windows/ip_helper.cpp
    windows/portable_drive.cpp
    windows/thread_id.cpp
    windows/version_resource.cpp
    windows/wide_path.cpp
)
# Not ported yet, so the null ones: the facts that class interfaces (sysfs on Linux); the bulk counter
# read (readers then ask the interface rows one by one; GetIfTable2 would answer it in one call); the
# refresh scope (the service answers every call itself); the end on a console signal (a console
# control handler would answer it); the socket table and its owners (GetExtendedTcpTable gives owning
# processes but no byte counts, and there are no cgroups).
list(APPEND QN_PLATFORM_SOURCES null/interface_facts.cpp null/link_counters.cpp null/interface_scan.cpp
     null/termination_signals.cpp null/socket_table.cpp null/cgroup_tree.cpp)
# The IP helper is not linked: its library is loaded by name, as on systems where it may be missing.
set(QN_PLATFORM_DEPS shell32 version ws2_32)
# The desktop services are the null ones until the windows layers are built for Windows.
set(QN_PLATFORM_DESKTOP_SOURCES null/taskbar_presence.cpp)
set(QN_PLATFORM_DESKTOP_DEPS "")
