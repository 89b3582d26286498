"""What the farm's view of a session costs: a confirmed send --set against the
relay script's unconfirmed path, status, and what the state file costs the
flash per --set. Prints rows of bench/run.sh's table.
usage: harness.py python3 farm_state.py BIN_DIR (a /Customer of its own)"""
import contextlib
import ctypes
import os
import statistics
import struct
import subprocess
import sys
import time

HOST, CTL = (os.path.join(sys.argv[1], name) for name in ('tulvak', 'tulvakctl'))
ROUNDS = 200
libc = ctypes.CDLL(None, use_errno=True)


def timed(argv, **options):  # the median wall time of a whole command, in ms
    times = []
    for _ in range(ROUNDS):
        start = time.perf_counter()
        subprocess.run(argv, check=True, stdout=subprocess.DEVNULL, **options)
        times.append((time.perf_counter() - start) * 1000)
    return statistics.median(times)


def state_writes(argv):  # state files written into /Customer, and their bytes, per run of argv
    watch = libc.inotify_init1(os.O_NONBLOCK)
    libc.inotify_add_watch(watch, b'/Customer', 0x80)  # moved in: every state is written aside, then renamed
    events = written = 0
    for _ in range(ROUNDS):
        subprocess.run(argv, check=True)
        # Read after each run: the kernel merges like events left unread.
        with contextlib.suppress(BlockingIOError):
            data = os.read(watch, 65536)
            while data:
                events += 1
                written += os.path.getsize('/Customer/tulvak.state')
                data = data[16 + struct.unpack_from('iIII', data)[3]:]
    os.close(watch)
    return events / ROUNDS, written / ROUNDS


session = subprocess.Popen([HOST, '--pipe'], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
try:
    while subprocess.run([CTL, 'status'], capture_output=True).returncode:
        time.sleep(0.01)
    ve_off = next(line.split('\t')[0] for line in subprocess.run([CTL, 'list'], capture_output=True, text=True).stdout
                  .splitlines() if line.endswith('\tQxDrv_VE_SetDbgLevel(0)'))
    relay = ['sh', '-c', f'for n in {ve_off} 99 99; do sh tulvak.sh $n; done']
    set_ms = timed([CTL, 'send', '--timeout', '5', '--set', 'VE/off'])
    relay_ms = timed(relay, cwd='/Customer')
    print(f'| send --set VE/off, confirmed: median | {set_ms:.3f} ms | {relay_ms:.3f} ms (the relay script\'s '
          f'5 lines, unconfirmed) | {set_ms / relay_ms:.2f} |  |')
    for args in ((), ('--json',)):
        print(f'| tulvakctl {" ".join(("status",) + args)}: median | {timed([CTL, "status", *args]):.3f} ms |  |  |  |')
    writes, written = state_writes([CTL, 'send', '--timeout', '5', '--set', 'VE/off'])
    print(f'| writes to /Customer per send --set | {writes:.2f} state files, {written:.0f} bytes |  |  | few and small |')
finally:
    session.kill()
    session.wait()
