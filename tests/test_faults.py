"""Pipe-driven sessions under the faults an unattended farm meets: a /Customer
that is missing, read-only or full, the pipe taken away mid-session, senders
that misbehave. Each session says what is wrong or shrugs it off, waits
without using the processor, and writes nothing outside /Customer: it runs in
a directory of its own under /tmp, with HOME and TMPDIR beside it, and
whatever is written under /tmp lands in a layer of the test's own that must
end up holding those three directories alone."""
import os
import tempfile

import harness
from harness import HOST, PIPE, REPORT

MS_BIND, MS_REC, MS_REMOUNT, MS_RDONLY = 4096, 16384, 32, 1
NO_FILES = '\n CreateTulvakShell Fail!\nfailed to make tulvak fifo \n'


class Faults(harness.Test):
    def setUp(self):
        super().setUp()
        layer = tempfile.mkdtemp(dir='/dev/shm')
        os.mkdir(layer + '/upper')
        os.mkdir(layer + '/work')
        # A build tree under /tmp stays outside the layer: a coverage build writes its counters there.
        build = os.environ['TULVAK_BUILD_DIR']
        held = os.open(build, os.O_PATH) if build.startswith('/tmp/') else None
        harness.mount('tulvak-tmp', '/tmp', 'overlay', 0, f'lowerdir=/tmp,upperdir={layer}/upper,workdir={layer}/work')
        self.addCleanup(harness.libc.umount2, b'/tmp', 2)
        if held is not None:
            harness.mount(f'/proc/self/fd/{held}', build, None, MS_BIND | MS_REC)
            os.close(held)
        self.own = tempfile.mkdtemp(dir='/tmp')
        for folder in ('work', 'home', 'temp'):
            os.mkdir(f'{self.own}/{folder}')
        self.written = {'work', 'home', 'temp'}
        self.addCleanup(self.expect_only_own_directories_written, layer + '/upper')

    def expect_only_own_directories_written(self, upper):
        found = set()
        for folder, folders, files in os.walk(upper):
            found.update(os.path.relpath(os.path.join(folder, name), upper) for name in folders + files)
        own = os.path.basename(self.own)
        self.assertEqual(found, {own} | {f'{own}/{path}' for path in self.written})

    def start(self, argv, **options):
        home = {'HOME': self.own + '/home', 'TMPDIR': self.own + '/temp'}
        return super().start(argv, cwd=self.own + '/work', env={**os.environ, **home}, **options)

    def test_nothing_to_read_is_reported_once_a_second_until_a_pipe_stands_at_the_path(self):
        for fault in ('customer missing', 'customer read-only', 'removed', 'regular file', 'directory', 'link'):
            with self.subTest(fault):
                self.fresh_customer()
                customer = '/Customer'
                if fault == 'customer missing':
                    customer = self.root_without_customer() + '/Customer'
                    session = self.start(['chroot', customer[:-9], 'sh', '-c', 'cd "$0" && exec "$@"',
                                          self.own + '/work', *HOST, '--pipe'])
                elif fault == 'customer read-only':
                    harness.mount('', '/Customer', None, MS_REMOUNT | MS_RDONLY)
                    session = self.start(HOST + ['--pipe'])
                else:
                    session = self.pipe_session()
                    os.unlink(PIPE)
                    if fault == 'regular file':
                        self.relay('3')  # what the relay script leaves when no pipe stands there
                    if fault == 'directory':
                        os.mkdir(PIPE)
                    if fault == 'link':
                        os.mkfifo('/Customer/other')
                        os.symlink('/Customer/other', PIPE)
                session.wait_for(REPORT, seconds=5)
                if fault.startswith('customer'):
                    self.assertTrue(session.out.startswith(NO_FILES + harness.frame('Main Menu')))
                    if fault == 'customer read-only':
                        harness.mount('', '/Customer', None, MS_REMOUNT)
                before = len(session.out)
                self.expect_idle(session)
                self.assertIn(session.out[before:].count(REPORT), (1, 2, 3))
                self.assertNotIn('get command', session.out)
                if fault == 'regular file':
                    self.assertEqual(open(PIPE).read(), '3\n')
                if fault == 'link':  # nobody holds it for reading, so it takes no writer
                    self.assertRaises(OSError, os.open, '/Customer/other', os.O_WRONLY | os.O_NONBLOCK)
                os.makedirs(customer, exist_ok=True)
                self.run_program(['rm', '-rf', customer + '/tulvakpipe'])
                os.mkfifo(customer + '/tulvakpipe')
                harness.write_pipe('99\n', customer + '/tulvakpipe')
                self.assertEqual(session.finish(10), 0)
                self.assertTrue(session.out.endswith('get command 99\n\n'))

    def root_without_customer(self):
        """A root holding every top-level entry of the machine's but /Customer."""
        root = tempfile.mkdtemp(dir='/dev/shm')
        for name in set(os.listdir('/')) - {'Customer'}:
            if os.path.islink('/' + name):
                os.symlink(os.readlink('/' + name), f'{root}/{name}')
            elif os.path.isdir('/' + name):
                os.mkdir(f'{root}/{name}')
                harness.mount('/' + name, f'{root}/{name}', None, MS_BIND | MS_REC)
        return root

    def test_a_full_customer_fails_the_script_but_the_pipe_still_serves(self):
        self.run_program(['sh', '-c', 'head -c 16M /dev/zero > /Customer/filler'])
        session = self.pipe_session()
        self.assertTrue(session.out.startswith('\n CreateTulvakShell Fail!\nmake tulvak fifo OK \n'))
        self.expect_idle(session)
        self.send('3', '99', '99')
        self.assertEqual(session.finish(10), 0)
        self.assertEqual(session.out.count('get command'), 3)

    def test_senders_that_hold_the_pipe_silent_or_write_elsewhere_change_nothing(self):
        session = self.pipe_session()
        os.close(os.open(PIPE, os.O_WRONLY | os.O_NONBLOCK))
        silent = os.open(PIPE, os.O_WRONLY | os.O_NONBLOCK)
        # Run anywhere but /Customer, the script writes a file of the pipe's name there.
        self.assertEqual(self.run_program(['sh', '/Customer/tulvak.sh', '3'])[2], 0)
        self.written.add('work/tulvakpipe')
        self.assertEqual(open(self.own + '/work/tulvakpipe').read(), '3\n')
        self.expect_idle(session)
        self.assertNotIn('get command', session.out)
        self.relay('3')
        self.send('99', '99')
        self.assertEqual(session.finish(10), 0)
        self.assertEqual(session.out.count('get command'), 3)
        os.close(silent)
