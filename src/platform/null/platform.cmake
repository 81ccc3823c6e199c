# A system without a port: standard C++ only. The program builds and runs, sees no interfaces and
# keeps its settings for the life of the process.
set(QN_PLATFORM_SOURCES
    null/app_data.cpp
    null/atomic_file.cpp
    null/cgroup_tree.cpp
    null/clock.cpp
    null/event.cpp
    null/file_lock.cpp
    null/heap.cpp
    null/interface_facts.cpp
    null/interface_scan.cpp
    null/interface_name.cpp
    null/ip_helper.cpp
    null/link_counters.cpp
    null/portable_drive.cpp
    null/socket_table.cpp
    null/termination_signals.cpp
    null/thread_id.cpp
    null/version_resource.cpp
)
set(QN_PLATFORM_DEPS "")
set(QN_PLATFORM_DESKTOP_SOURCES null/taskbar_presence.cpp)
set(QN_PLATFORM_DESKTOP_DEPS "")
