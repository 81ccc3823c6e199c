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
# The facts that class interfaces (uplink, virtual, tunnel) are read from sysfs on Linux; Windows
# answers none yet, as a system without a port.
list(APPEND QN_PLATFORM_SOURCES null/interface_facts.cpp)
# The IP helper is not linked: its library is loaded by name, as on systems where it may be missing.
set(QN_PLATFORM_DEPS shell32 version ws2_32)
# The desktop services are the null ones until the windows layers are built for Windows.
set(QN_PLATFORM_DESKTOP_SOURCES null/taskbar_presence.cpp)
set(QN_PLATFORM_DESKTOP_DEPS "")
