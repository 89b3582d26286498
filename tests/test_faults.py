"""Pipe-driven sessions under the faults an unattended farm meets. Each says
what is wrong or shrugs it off, waits without using the processor, and writes
nothing outside /Customer: it runs in a directory of its own under /tmp, with
HOME and TMPDIR beside it, and whatever is written under /tmp lands in a layer
of the test's own that must end up holding just those three directories."""
import os
import tempfile

import harness
from harness import HOST, PIPE, REPORT

class Faults(harness.Test):
    def setUp(self):
        super().setUp()
        layer = tempfile.mkdtemp(dir='/dev/shm')
        [os.mkdir(layer + folder) for folder in ('/upper', '/work')]
        # A build tree under /tmp stays outside the layer: a coverage build writes its counters there.
        build = os.environ['TULVAK_BUILD_DIR']
        held = os.open(build, os.O_PATH) if build.startswith('/tmp/') else None
        harness.mount('tulvak-tmp', '/tmp', 'overlay', 0, f'lowerdir=/tmp,upperdir={layer}/upper,workdir={layer}/work')
        self.addCleanup(harness.libc.umount2, b'/tmp', 2)
        if held is not None:
            harness.mount(f'/proc/self/fd/{held}', build, None, 4096 | 16384)  # a recursive bind
            os.close(held)
        self.own = tempfile.mkdtemp(dir='/tmp')
        self.written = {'', '/work', '/home', '/temp'}
        [os.mkdir(self.own + folder) for folder in self.written - {''}]
        self.addCleanup(lambda: self.assertEqual(
            {os.path.join(folder, name) for folder, folders, files in os.walk(layer + '/upper') for name in folders + files},
            {layer + '/upper' + self.own[4:] + path for path in self.written}))

    def start(self, argv, **options):
        environment = {**os.environ, 'HOME': self.own + '/home', 'TMPDIR': self.own + '/temp'}
        return super().start(argv, cwd=self.own + '/work', env=environment, **options)

    def test_nothing_to_read_is_reported_once_a_second_until_a_pipe_stands_at_the_path(self):
        script = 'tulvak.sh=echo $1 > tulvakpipe'
        for fault, before, after, left in (
                ('customer read-only', 'mount -o remount,ro .', 'mount -o remount,rw .', []),
                ('removed', '', 'rm tulvakpipe', [script]),
                ('regular file', '', 'rm tulvakpipe && sh tulvak.sh 3', [script, 'tulvakpipe=3\n']),
                ('directory', '', 'rm tulvakpipe && mkdir tulvakpipe', [script, 'tulvakpipe']),
                ('link', '', 'rm tulvakpipe && mkfifo other && ln -s other tulvakpipe', [script, 'other', 'tulvakpipe'])):
            with self.subTest(fault):
                self.fresh_customer()
                self.run_program(['sh', '-c', 'cd /Customer && ' + (before or 'true')])
                session = self.start(HOST + ['--pipe'])
                session.wait_for(harness.frame('Main Menu') + harness.PIPE_ASK)
                self.run_program(['sh', '-c', 'cd /Customer && ' + after])
                session.wait_for(REPORT, seconds=5)
                before = len(session.out)
                self.expect_idle(session)
                self.assertIn(session.out[before:].count(REPORT), (1, 2, 3))
                # Nothing was read from or written to what took the pipe's place, and nobody holds it.
                self.assertNotIn('get command', session.out)
                self.assertEqual(harness.snapshot(), sorted(left))
                self.assertFalse(harness.reader_holds('/Customer/other'))
                self.run_program(['sh', '-c', f'rm -rf {PIPE} && mkfifo {PIPE}'])
                harness.write_pipe('99\n')
                self.assertEqual(session.finish(10), 0)
                self.assertTrue(session.out.endswith('get command 99\n\n'))

    def test_senders_that_hold_the_pipe_silent_or_write_elsewhere_change_nothing(self):
        session = self.pipe_session()
        os.close(os.open(PIPE, os.O_WRONLY | os.O_NONBLOCK))
        silent = os.open(PIPE, os.O_WRONLY | os.O_NONBLOCK)
        # Run anywhere but /Customer, the script writes a file of the pipe's name there.
        self.assertEqual(self.run_program(['sh', '/Customer/tulvak.sh', '3'])[2], 0)
        self.written.add('/work/tulvakpipe')
        self.assertEqual(open(self.own + '/work/tulvakpipe').read(), '3\n')
        self.expect_idle(session)
        self.assertNotIn('get command', session.out)
        self.relay('3')
        self.send('99', '99')
        self.assertEqual((session.finish(10), session.out.count('get command')), (0, 3))
        os.close(silent)
