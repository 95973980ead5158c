# Non-portable platform components known to the designer.
# One component per line: identifier (its first letter names the general
# platform: H hardware, E execution, R real-time, F fault-tolerance,
# C communications), a comma, and the component's name in double quotes.
# The first empty line ends the list.
+ Hardware
H0001,"Servo amplifier board on CAN bus (CANopen DS402)"
H0002,"Incremental encoder counter card (PCI, 4 axes)"
H0003,"Digital I/O card (24 V, 32 in / 32 out)"
H0004,"Six-axis force/torque sensor (serial)"
H0005,"FireWire industrial camera (IIDC 1394)"
H0006,"Laser range finder (RS-422)"
+ Execution
E0000,"POSIX threads on Linux"
E0001,"Win32 threads and synchronisation objects"
E0002,"VxWorks tasks and semaphores"
E0003,"QNX Neutrino processes and pulses"
E0004,"Shared memory between processes (System V)"
+ Real-Time
R0001,"POSIX real-time scheduling (SCHED_FIFO)"
R0002,"RTAI hard real-time kernel"
R0003,"Xenomai real-time interface"
R0004,"High-resolution clock of the operating system"
+ Fault-Tolerance
F0001,"Hardware watchdog timer"
F0002,"Redundant controller fail-over (hot standby)"
F0003,"Persistent event log on flash memory"
+ Communications
C0001,"TCP/IP sockets"
C0002,"UDP multicast"
C0003,"CAN bus driver (SocketCAN)"
C0004,"Serial lines (RS-232/RS-485)"
C0005,"Real-time Ethernet fieldbus (EtherCAT master)"
C0006,"CORBA 2.x ORB with naming service"
C0007,"Real-time CORBA event service"
