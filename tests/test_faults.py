"""Pipe-driven sessions under the faults an unattended farm meets. Each says
what is wrong or shrugs it off, waits without using the processor, and writes
nothing where it runs: its working directory, HOME and TMPDIR are folders of a
file system of the test's own, which must end up holding just those."""
import os
import tempfile

import harness
from harness import HOST, PIPE, REPORT


class Faults(harness.Test):
    def setUp(self):
        super().setUp()
        self.own = tempfile.mkdtemp()
        harness.mount('tulvak-own', self.own, 'tmpfs')
        self.addCleanup(os.rmdir, self.own)
        self.addCleanup(harness.libc.umount2, self.own.encode(), 2)
        self.written = {'/work', '/home', '/temp'}
        [os.mkdir(self.own + folder) for folder in self.written]
        self.addCleanup(lambda: self.assertEqual({os.path.join(folder, name)[len(self.own):] for folder, folders, files
                                                  in os.walk(self.own) for name in folders + files}, self.written))

    def start(self, argv, **options):
        environment = {**os.environ, 'HOME': self.own + '/home', 'TMPDIR': self.own + '/temp'}
        return super().start(argv, cwd=self.own + '/work', env=environment, **options)

    def test_nothing_to_read_is_reported_once_a_second_until_a_pipe_stands_at_the_path(self):
        script = 'tulvak.sh 755=echo $1 > tulvakpipe'
        for fault, before, after, left in (
                ('customer read-only', 'mount -o remount,ro .', 'mount -o remount,rw .', []),
                ('removed', '', 'rm tulvakpipe', [script]),
                ('regular file', '', 'rm tulvakpipe && sh tulvak.sh 3', [script, 'tulvakpipe 644=3\n']),
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
