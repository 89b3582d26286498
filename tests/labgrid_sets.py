"""make test-farm: the sets of docs/farm.md's environment file on this machine, each a mount namespace
with a /Customer and a /run/tulvak, a pipe-driven session and an sshd of its own, on the 127.0.0.1 of a
network namespace that is the run's alone; then that page's example and test_labgrid.py through labgrid's
pytest plugin. make test-lava (lava_farm.py) makes its sets here too.
Usage: labgrid_sets.py BUILD_DIR"""
import contextlib, ctypes, os, pathlib, re, subprocess, sys, tempfile, types

import harness

TOP = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
# Key login alone; its files are in the scratch folder, below the world-writable /tmp, hence StrictModes.
SSHD = ('ListenAddress=127.0.0.1 PermitRootLogin=prohibit-password PasswordAuthentication=no UsePAM=no PidFile=none '
        'KbdInteractiveAuthentication=no StrictModes=no').split() + ['Subsystem=sftp internal-sftp']  # scp's protocol


def start(test, scratch, host, name, port, key, net=()):
    """The session first, then sshd in its namespaces and under its root, so that what a job runs sees its
    /Customer and its /run/tulvak (the session's state, in RAM); net, a command, runs the session in another
    network namespace."""
    session = harness.Process(test, [*net, 'unshare', '-m', 'sh', '-c', 'mount -t tmpfs "$0" /Customer && mkdir -p "$2" && '
                                     'mount -t tmpfs -o mode=755 "$0" "$2" && exec "$1" --pipe', name, host,
                                     harness.STATE_DIR])
    session.wait_for(harness.PIPE_ASK)
    if not os.path.exists(key):
        subprocess.run(['ssh-keygen', '-q', '-t', 'ed25519', '-N', '', '-C', 'farm', '-f', key], check=True)
    options = [f'Port={port}', f'HostKey={scratch}/host_key', f'AuthorizedKeysFile={key}.pub', *SSHD]
    sshd = harness.Process(test, ['nsenter', '-t', str(session.popen.pid), '-m', '-n', '-r', '/usr/sbin/sshd', '-D',
                                  '-e', '-f', '/dev/null', *(word for option in options for word in ('-o', option))],
                           stderr=subprocess.STDOUT)
    sshd.wait_for('Server listening')
    return session


def network(scratch, flags=0):
    if harness.libc.unshare(0x40000000 | flags):  # CLONE_NEWNET: a loopback and ports of the run's own
        raise OSError(ctypes.get_errno(), 'no network namespace')
    subprocess.run(['ip', 'link', 'set', 'lo', 'up'], check=True)
    harness.mount('tulvak-farm', '/run', 'tmpfs')  # sshd's /run/sshd, in this namespace alone
    os.mkdir('/run/sshd')
    subprocess.run(['ssh-keygen', '-q', '-t', 'ed25519', '-N', '', '-f', scratch + '/host_key'], check=True)


def run(test, scratch, build):
    from labgrid.util.yaml import load  # here, as make test-lava shares the sets without labgrid

    network(scratch)
    # Each fenced block of the page whose opening line names a file is that file.
    blocks = dict(re.findall(r'^```\w+ ([\w.-]+)\n(.*?)^```$', pathlib.Path(TOP, 'docs/farm.md').read_text(), re.M | re.S))
    for name, text in blocks.items():
        pathlib.Path(scratch, name).write_text(text)
    environment = next(os.path.join(scratch, name) for name in blocks if name.endswith('.yaml'))
    for name, target in load(pathlib.Path(environment).read_text())['targets'].items():
        start(test, scratch, os.path.join(build, 'bin', 'tulvak'), name, target['resources']['NetworkService']['port'],
              os.path.join(scratch, target['drivers']['SSHDriver']['keyfile']))
    tests = [os.path.join(scratch, name) for name in blocks if name.endswith('.py')] + [TOP + '/tests/test_labgrid.py']
    variables = dict(os.environ, PYTHONPATH=TOP + '/farm', LG_TULVAKCTL=os.path.join(build, 'bin', 'tulvakctl'))
    return subprocess.run(['/usr/bin/python3', '-B', '-m', 'pytest', '-p', 'no:cacheprovider', '--lg-env', environment,
                           *tests], env=variables).returncode


if __name__ == '__main__':
    if len(sys.argv) != 2 or not os.path.isfile(os.path.join(sys.argv[1], 'bin', 'tulvak')):
        sys.exit(__doc__.rstrip() + '  (a build folder with bin/tulvak and bin/tulvakctl)')
    with tempfile.TemporaryDirectory(prefix='tulvak-farm-') as scratch, contextlib.ExitStack() as cleanups:
        status = run(types.SimpleNamespace(addCleanup=cleanups.callback), scratch, os.path.abspath(sys.argv[1]))
    sys.exit(status)
