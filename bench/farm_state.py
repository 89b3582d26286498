"""What the farm's view of a session costs: a confirmed send --set against the
relay script's unconfirmed path, status, and what farm traffic costs the
flash: /Customer is an ext4 file system on a loop device here, as on a set,
and each figure is the device's writes, the file system synced before and
after. Prints rows of bench/run.sh's table.
usage: harness.py python3 farm_state.py BIN_DIR (a /Customer of its own)"""
import ctypes
import os
import pathlib
import statistics
import subprocess
import sys
import tempfile
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


def device_writes(run):  # write requests the loop device under /Customer completed for run(), written back
    sync = lambda: subprocess.run(['sync', '-f', '/Customer'], check=True)
    count = lambda: int(pathlib.Path(f'/sys/block/{os.path.basename(device)}/stat').read_text().split()[4])
    sync()
    before = count()
    run()
    sync()
    return count() - before


image = tempfile.NamedTemporaryFile()
os.truncate(image.name, 64 << 20)
subprocess.run(['mkfs.ext4', '-q', '-F', image.name], check=True)
device = subprocess.run(['losetup', '--find', '--show', image.name], capture_output=True, text=True, check=True).stdout.strip()
subprocess.run(['mount', device, '/Customer'], check=True)
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
    sets = lambda: [subprocess.run([CTL, 'send', '--set', 'VE/off'], check=True) for _ in range(ROUNDS)]
    lines = lambda: subprocess.run(['sh', '-c', f'for n in $(seq {ROUNDS}); do sh tulvak.sh 0; done'], cwd='/Customer')
    numbers = lambda: subprocess.run([CTL, 'send', *['0'] * 1000], check=True)
    for what, run in (('send --set', sets), ('relay-script line', lines)):
        print(f'| device writes to /Customer (ext4) per {what} | {device_writes(run) / ROUNDS:.3f} |  |  | 0 |')
    both = device_writes(lambda: (sets(), lines(), numbers()))
    print(f'| device writes to /Customer (ext4): {ROUNDS} --set, {ROUNDS} relay lines, a 1,000-number send | {both} |'
          '  |  | at most 10 |')
finally:
    session.kill()
    session.wait()
    subprocess.run(['umount', '/Customer'])
    subprocess.run(['losetup', '--detach', device])
