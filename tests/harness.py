"""What the tests share: the programs as built (under the emulator in a cross
build), a private /Customer for each test, processes whose whole group ends
with the test, and transcripts (data/sessions.txt) replayed byte for byte."""
import codecs, contextlib, ctypes, functools, json, os, pathlib, re, shlex, signal, stat, subprocess, sys, tempfile, threading, time, unittest

EMULATOR = os.environ.get('TULVAK_EMULATOR', '').split()
PROGRAMS = {name: EMULATOR + [os.environ.get('TULVAK_' + variable, name)]
            for name, variable in (('tulvak', 'HOST'), ('probe', 'PROBE'), ('tulvakctl', 'CTL'))}
HOST, PROBE, CTL = PROGRAMS.values()
DATA = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'data')
PIPE = '/Customer/tulvakpipe'
STATE_DIR = os.environ.get('TULVAK_STATE_DIR', '/run/tulvak')
STATE = STATE_DIR + '/state'
CONSOLE_ASK, PIPE_ASK = '\nTULVAK_SYSTEM_TYPE_BRAMBLEON\nSelect :', '\nTULVAK_SYSTEM_TYPE_VUNE\n'
REPORT = 'pipe file open failed! \nAUTO TEST READ FAIL.........Break\n'
UPDATE = os.environ.get('TULVAK_UPDATE')  # the library whose build make golden writes the data from
CLOSED = {'stdin=closed': '<&-', 'stdout=closed': '>&-', 'stdout=full': '>/dev/full'}
libc = ctypes.CDLL(None, use_errno=True)
os.umask(0o022)  # what files made in tests are given, whatever the caller's


def private_mounts():
    """Runs this process again as the first of a process namespace, in a mount namespace of its own (as root of
    a user namespace where root may not mount): however the tests end, no process they started outlives them."""
    if not os.environ.get('TULVAK_PRIVATE'):
        os.environ['TULVAK_PRIVATE'] = '1'
        if os.geteuid() == 0:  # the empty mount points are all the machine keeps
            [os.makedirs(folder, exist_ok=True) for folder in ('/Customer', STATE_DIR)]
        for flags in ('-mpf', '-rmpf'):
            if subprocess.run(['unshare', flags, '--mount-proc', 'true'], stderr=subprocess.DEVNULL).returncode == 0:
                os.execvp('unshare', ['unshare', flags, '--mount-proc', '--kill-child', *sys.orig_argv])
        sys.exit('no private mount namespace: the tests need root or unprivileged user namespaces')


def mount(source, target, fstype=None, flags=0, options='size=16m,mode=755'):
    if libc.mount(source.encode(), target.encode(), fstype and fstype.encode(), flags, options.encode()):
        raise OSError(ctypes.get_errno(), 'mount ' + target)


def typed(data):  # a file of data, for a program's standard input; the Process given it closes it
    keyboard = tempfile.TemporaryFile()
    os.pwrite(keyboard.fileno(), data.encode('latin-1'), 0)
    return keyboard


class Process:  # a program left running while the test acts; its output so far can be read at any time
    def __init__(self, test, argv, stdin=subprocess.DEVNULL, **options):
        self.files = [tempfile.TemporaryFile() for _ in range(2)] + [stdin] * hasattr(stdin, 'close')
        options = {'stdout': self.files[0], 'stderr': self.files[1], **options}
        self.popen = subprocess.Popen(argv, stdin=stdin, start_new_session=True, **options)
        test.addCleanup(self.kill)

    def kill(self):
        with contextlib.suppress(ProcessLookupError):
            os.killpg(self.popen.pid, signal.SIGKILL)
        self.popen.wait()
        [file.close() for file in self.files]

    out = property(lambda self: os.pread(self.files[0].fileno(), 1 << 24, 0).decode('latin-1'))
    err = property(lambda self: os.pread(self.files[1].fileno(), 1 << 24, 0).decode('latin-1'))

    def wait_for(self, text, seconds=60, start=0):  # text in the output, from start on, unless the program ends first
        deadline = time.monotonic() + seconds
        while self.popen.poll() is None and time.monotonic() < deadline and text not in self.out[start:]:
            time.sleep(0.005)
        assert text in self.out[start:], f'{text!r} never came; output so far:\n{self.out}'

    def finish(self, seconds=60):
        return self.popen.wait(seconds)

    def cpu(self):
        fields = pathlib.Path(f'/proc/{self.popen.pid}/stat').read_text().rsplit(')', 1)[1].split()
        return (int(fields[11]) + int(fields[12])) / os.sysconf('SC_CLK_TCK')


def reader_holds(path):  # whether anyone reads the pipe at path, as a writer that must not block finds out
    with contextlib.suppress(OSError):
        return os.close(os.open(path, os.O_WRONLY | os.O_NONBLOCK)) or True
    return False


def write_pipe(data, path=PIPE, seconds=60):
    """All of data into the pipe once a session holds it, however much it takes at a time."""
    deadline = time.monotonic() + seconds
    while not reader_holds(path):
        assert time.monotonic() < deadline, 'no session holds ' + path
        time.sleep(0.005)
    # The session may end before it takes everything: its output tells.
    with contextlib.suppress(BrokenPipeError), open(os.open(path, os.O_WRONLY), 'wb', buffering=0) as pipe:
        pipe.write(data.encode('latin-1'))


MENUS = {}


def read_menus():  # data/menus.tsv into MENUS, read again once make golden has written it
    MENUS.clear()
    for row in pathlib.Path(DATA, 'menus.tsv').read_text().splitlines():
        if not row.startswith('#'):
            title, number, label, action = row.split('\t')
            MENUS.setdefault(title, []).append((int(number), label, action))


read_menus()


DOCS = [os.path.join(DATA, '..', '..', doc) for doc in ('README.md', 'docs/commands.md', 'docs/pipe.md', 'docs/farm.md', 'docs/tulvakctl.1')]


def documented(doc, items):  # the page's text, and that text with the item paths it shows as the build has them
    paths = {key: item['path'] for item in items for key in ((item['menu'], item['label']), item['name'], item['action'])}
    spaced = lambda key: ' '.join(map(str, paths[key]))
    text = new = pathlib.Path(doc).read_text()
    new = re.sub(r'^([^\d\t\n]*)[\d ]+\t([^\t\n]+)\t([^\t\n]+)\t', lambda m: f'{m[1]}{spaced((m[2], m[3]))}\t{m[2]}\t{m[3]}\t',
                 new, flags=re.M)  # listing lines
    new = re.sub(r'"path": \[[\d, ]+\](, "menu": "([^"]+)", "label": "([^"]+)")', lambda m: f'"path": {paths[m[2], m[3]]}{m[1]}', new)
    new = re.sub(r'by (\S+) \([\d ]+\)', lambda m: f'by {m[1]} ({spaced(m[1])})', new)  # status
    new = re.sub(r'("tree": "|^tree )[0-9a-f]{16}', lambda m: m[1] + items[0]['tree'], new, flags=re.M)
    return text, re.sub(r'^(call (\w+) (-?\d+) \d+ \S+ )[\d ]+$', lambda m: m[1] + spaced(f'{m[2]}({m[3]})'), new, flags=re.M)


@functools.cache
def listed():  # the tree the programs run, as tulvakctl list --json gives it
    return json.loads(subprocess.run(CTL + ['list', '--json'], capture_output=True, check=True).stdout)


def path(action):  # the selections that reach the item that does action
    return next(item['path'] for item in listed() if item['action'] == action)


def frame(title):
    items = ''.join(f'({number}) {label}\n' for number, label, _ in MENUS[title])
    return f'\n{"=" * 36}\n{items}(99) EXIT\n{"=" * 36}\nPlease input the item number:'


def text(written):  # {TITLE Menu}: the number that opens that menu in its parent; {TREE}: the tree's fingerprint
    written = written.replace('{TREE}', listed()[0]['tree']) if '{TREE}' in written else written
    written = re.sub(r'\{([\w ]+ Menu)\}', lambda m: next(str(number) for items in MENUS.values()
                                                          for number, _, action in items if action == 'opens ' + m[1]), written)
    return codecs.decode(re.sub(r'\{(\d+)\*([^}]*)\}', lambda m: m[2] * int(m[1]), written), 'unicode_escape')


def escaped(output):  # output as a transcript line writes it, the tree's fingerprint as {TREE}
    output = output.replace(listed()[0]['tree'], '{TREE}')
    return ''.join({'\\': '\\\\', '\t': '\\t', '\n': '\\n'}.get(c, c if ' ' <= c <= '~' else f'\\x{ord(c):02x}')
                   for c in output)


def snapshot():  # every path in /Customer (relative) and the state folder (whole), with the mode and text of a small file
    paths = [os.path.join(folder, name) for top in ('/Customer', STATE_DIR) for folder, folders, files in os.walk(top)
             for name in folders + files]
    small = lambda path: stat.S_ISREG(os.lstat(path).st_mode) and os.path.getsize(path) < 64
    return sorted(path.removeprefix('/Customer/') + (f' {os.stat(path).st_mode & 0o777:o}=' + pathlib.Path(path).read_text()
                                                     if small(path) else '') for path in paths)


class Transcript:
    def __init__(self, header, lines=()):
        self.header, self.lines = header, list(lines)
        self.platforms = [word for word in header.partition(':')[0].split() if '=' not in word]
        self.flags = [word for word in header.partition(':')[0].split() if '=' in word]

    def part(self, kind):
        return [text(line[2:]) for line in self.lines if line[0] == kind]

    def render(self, pipe):
        sent, out, err = [], ['make tulvak fifo OK \n' if pipe and not self.part('$') else ''], []
        for line in self.lines:
            if line[0] == '[':
                title, said = line[1:].split('] ', 1) if '] ' in line else (line[1:-1], '')
                out.append(frame(title) + (PIPE_ASK if pipe else CONSOLE_ASK))
                sent.append(text(said[:-2]) if said.endswith('^D') else text(said) + '\n')
                out.append('get command ' + sent[-1].split('\0')[0][:128] + '\n' if pipe else '')
            else:
                {'<': sent, '>': out, '!': err}.get(line[0], []).append(text(line[2:]) + '\n' * (line[0] != '>'))
        return ''.join(sent), ''.join(out), ''.join(err)


def transcripts():  # data/sessions.txt, a Transcript for each "== " line and the lines under it
    blocks = pathlib.Path(DATA, 'sessions.txt').read_text().split('\n== ')[1:]
    return [Transcript(head, [line for line in rest if line.strip() and not line.startswith('#')])
            for head, *rest in (block.split('\n') for block in blocks)]


def walk():  # one session through every menu: each item in turn, numbers that name no item, then EXIT
    lines = []

    def visit(title):
        for number, _, action in MENUS[title]:
            lines.append(f'[{title}] {number}')
            if action.startswith('opens '):
                visit(action[6:])
            else:
                lines.append(('! ' if '(' in action else '> ') + action)
        lines.extend(f'[{title}] {n}' for n in (0, -1, len(MENUS[title]) + 1, 98, 100, 99))

    visit('Main Menu')
    return Transcript('console pipe send memcheck: every menu and item', lines)


class Test(unittest.TestCase):
    maxDiff = None

    def setUp(self):
        sys.unraisablehook = (unclosed := []).append  # what -W error makes of a file left unclosed, raised nowhere
        self.addCleanup(lambda: self.assertEqual([each.exc_value for each in unclosed], []))
        self.fresh_customer()

    def fresh_customer(self):  # and a state folder of its own
        for folder in ('/Customer', STATE_DIR):
            mount('tulvak-test', folder, 'tmpfs')
            self.addCleanup(libc.umount2, folder.encode(), 2)

    def start(self, argv, **options):
        return Process(self, argv, **options)

    def run_program(self, argv, data='', seconds=60):
        program = self.start(argv, stdin=typed(data))
        status = program.finish(seconds)
        return program.out, program.err, status

    def send(self, *selections):
        self.assertEqual(self.run_program(HOST + ['send', '--timeout', '30', *selections])[1:], ('', 0))

    def pipe_session(self, **options):
        session = self.start(HOST + ['--pipe'], **options)
        session.wait_for(PIPE_ASK)
        return session

    def expect_idle(self, session, seconds=2):
        """Waiting costs next to no processor time and opens nothing in /Customer."""
        watch = libc.inotify_init1(os.O_NONBLOCK | os.O_CLOEXEC)
        libc.inotify_add_watch(watch, b'/Customer', 0x38)  # opened, or closed after reading or writing
        before = session.cpu()
        time.sleep(seconds)
        self.assertLess(session.cpu() - before, 0.2, 'the session spins while it waits')
        self.assertRaises(BlockingIOError, os.read, watch, 4096)
        os.close(watch)

    def replay(self, case, platform):
        program = shlex.split(case.part('$')[0]) if case.part('$') else []
        pipe = platform not in ('console', 'memcheck')
        sent, out, err = case.render(pipe)
        argv = PROGRAMS[program[0]] + program[1:] if program else HOST + ['--pipe'] * pipe
        argv = os.environ['TULVAK_VALGRIND'].split() + argv if platform == 'memcheck' else argv
        if case.flags:
            argv = ['sh', '-c', 'exec "$@" ' + ' '.join(CLOSED[flag] for flag in case.flags), 'sh', *argv]
        self.fresh_customer()  # the only pipe a sender can find is this session's
        for command in case.part('%'):
            subprocess.run(['sh', '-c', command], cwd='/Customer', stderr=subprocess.DEVNULL)
        session = self.start(argv, stdin=typed('' if pipe else sent))
        if pipe:
            sender = threading.Thread(target=self.deliver, args=(sent, platform))
            sender.start()
            self.addCleanup(sender.join)
        status = session.finish()
        if UPDATE:
            return session.out, session.err, status
        self.assertEqual(status, int((case.part('=') or ['0'])[0]))
        if not any(flag.startswith('stdout') for flag in case.flags):
            self.assertEqual(session.out, out)
        self.assertEqual(session.err, err)
        if case.part('@') or case.part('%'):
            self.assertEqual(snapshot(), sorted(case.part('@')))

    def deliver(self, sent, platform):
        if platform == 'send':
            self.start(HOST + ['send', '--timeout', '30', '-'], stdin=typed(sent)).finish()  # the test's end may kill it first
        else:
            write_pipe(sent)


class Sessions(Test):
    """Every transcript of data/sessions.txt, and the walk, on each platform it names."""

    def replay_all(self, platform):
        for case in transcripts() + [walk()]:
            if platform in case.platforms:
                with self.subTest(case.header):
                    self.replay(case, platform)

    test_console = lambda self: self.replay_all('console')
    test_pipe = lambda self: self.replay_all('pipe')
    test_send = lambda self: self.replay_all('send')
    test_memcheck = unittest.skipUnless(os.environ.get('TULVAK_VALGRIND'), 'no valgrind for this build')(
        lambda self: self.replay_all('memcheck'))


class Golden(Test):
    """make golden: the data the tests compare with, written anew from the programs as built, for git diff to show:
    the menus, the library's symbols, what each program run by a transcript ($) prints, and the pages' item paths."""

    @unittest.skipUnless(UPDATE, 'make golden runs it')
    def test_update(self):
        for doc in DOCS:  # the paths the pages show
            text = documented(doc, json.loads(self.run_program(CTL + ['list', '--json'])[0]))[1]
            pathlib.Path(doc).write_text(text)
        listing = [line.split('\t') for line in self.run_program(CTL + ['list'])[0].splitlines()]
        menus = [menu for _, menu, _, _ in listing]
        rows = sorted(listing, key=lambda row: menus.index(row[1]))  # each menu where the tree first reaches it
        rewrite('menus.tsv', [f'{menu}\t{path.split()[-1]}\t{label}\t{action}' for path, menu, label, action in rows])
        read_menus()
        # As the symbols' test reads them: defined, and undefined but for libc's and libstdc++'s (versioned).
        symbols = [line.split() for line in subprocess.run(['nm', '-D', UPDATE], capture_output=True, text=True,
                                                           check=True).stdout.splitlines()]
        rewrite('exports.txt', sorted(words[2] for words in symbols if len(words) == 3))
        rewrite('entry_points.txt', sorted(words[1] for words in symbols if words[0] == 'U' and '@' not in words[1]))
        head, *blocks = pathlib.Path(DATA, 'sessions.txt').read_text().split('\n== ')
        for number, block in enumerate(blocks):
            title, *lines = block.split('\n')
            case = Transcript(title, [line for line in lines if line.strip() and not line.startswith('#')])
            if not case.part('$') or case.part('['):
                continue  # a session's screens come from menus.tsv, and its calls do not move
            out, err, status = self.replay(case, case.platforms[0])
            if case.render(False)[1:] + (int((case.part('=') or ['0'])[0]),) != (out, err, status):
                kept = [line for line in lines if line[:1] not in ('>', '!', '=')]
                at = max(i for i, line in enumerate(kept) if line.startswith(('$', '%', '<'))) + 1
                kept[at:at] = ([f'> {escaped(line)}' for line in out.splitlines(True)] +
                               [f'! {escaped(line)}' if line else '!' for line in err.splitlines()] + [f'= {status}'] * (status != 0))
                blocks[number] = '\n'.join([title, *kept])
        pathlib.Path(DATA, 'sessions.txt').write_text('\n== '.join([head, *blocks]))


def rewrite(name, rows):  # a data file's comments kept, its rows replaced
    comments = [line for line in pathlib.Path(DATA, name).read_text().splitlines() if line.startswith('#')]
    pathlib.Path(DATA, name).write_text(''.join(line + '\n' for line in comments + rows))


if __name__ == '__main__':
    # harness.py PROGRAM [ARG...] runs PROGRAM with a /Customer of its own.
    private_mounts()
    [mount('tulvak-test', folder, 'tmpfs') for folder in ('/Customer', STATE_DIR)]
    os.execvp(sys.argv[1], sys.argv[1:])
private_mounts()
