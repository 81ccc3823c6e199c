# Linux: rtnetlink through libmnl, sysfs, /proc, eventfd and poll.
find_package(PkgConfig REQUIRED)
pkg_check_modules(MNL REQUIRED IMPORTED_TARGET GLOBAL libmnl)

set(QN_PLATFORM_SOURCES
    linux/address_change.cpp
    linux/app_data.cpp
    linux/atomic_file.cpp
    linux/cgroup_tree.cpp
    linux/clock.cpp
    linux/file_lock.cpp
    linux/heap.cpp
    linux/interface_facts.cpp
    linux/interface_scan.cpp
    linux/ip_helper.cpp
    linux/interface_name.cpp
    linux/ip_helper_tables.cpp
    linux/kernel_tables.cpp
    linux/link_counters.cpp
    linux/netlink.cpp
    linux/portable_drive.cpp
    linux/resolver_config.cpp
    linux/socket_table.cpp
    linux/termination_signals.cpp
    linux/thread_id.cpp
    linux/version_resource.cpp
)
set(QN_PLATFORM_DEPS PkgConfig::MNL)

# The desktop: an X11 window manager, asked through xcb.
if(QN_GUI)
    pkg_check_modules(XCB REQUIRED IMPORTED_TARGET xcb)
endif()
set(QN_PLATFORM_DESKTOP_SOURCES linux/taskbar_presence.cpp)
set(QN_PLATFORM_DESKTOP_DEPS PkgConfig::XCB)
