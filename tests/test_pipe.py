"""The pipe-driven platform as farms use it: senders that pause, crowd in, come
too early or too late; what send confirms; one session owning the pipe; faults."""
import fcntl
import os
import pathlib
import random
import signal
import termios
import time

import harness
from harness import CTL, HOST, PIPE, PROBE, REPORT, STATE

GONE = 'tulvak send: not confirmed: the session stopped reading ({})\n'


class Pipe(harness.Test):
    def test_a_relay_script_run_between_sessions_is_released_by_the_next_which_ignores_it(self):
        session = self.pipe_session()
        self.send('99')
        self.assertEqual(session.finish(), 0)
        self.assertEqual(os.stat(PIPE).st_mode & 0o7777, 0o777)  # set before the wait, whatever the umask
        late = self.start(['sh', '-c', 'cd /Customer && sh tulvak.sh 3'])
        time.sleep(0.5)
        self.assertIsNone(late.popen.poll())
        session = self.pipe_session()
        self.assertEqual(late.finish(), 0)
        self.send('99')
        self.assertEqual((session.finish(), session.out.count('get command')), (0, 1))

    def test_no_selection_is_lost_among_four_relay_loops(self):
        session = self.pipe_session()
        self.send(*map(str, harness.path('opens XC Menu')))
        # Each loop has two scaler items of its own, so its calls can be told apart and checked in order.
        rng = random.Random(12345)
        items = [[2 + 2 * loop + rng.randrange(2) for _ in range(500)] for loop in range(4)]
        loops = [self.start(['sh', '-c', 'cd /Customer && for n in $1; do sh tulvak.sh $n || exit 1; done', 'loop',
                             ' '.join(map(str, own))]) for own in items]
        self.assertEqual([loop.finish(120) for loop in loops], [0] * 4)
        self.send('99', '99', '99')
        self.assertEqual((session.finish(), len(session.err.splitlines())), (0, 2000))
        for own in items:
            calls = [f'QxApi_XC_SetDbgLevel({1 << (item - 2)})' for item in own]
            self.assertEqual([call for call in session.err.splitlines() if call in calls], calls)

    def test_a_reader_whose_pipe_is_closed_behind_its_back_takes_it_up_again(self):
        probe = self.start(PROBE + ['kind=2', 'closepipe', 'read=null'])
        probe.wait_for(harness.PIPE_ASK)  # the reader asks only after its pipe was closed
        harness.write_pipe('5\n')
        self.assertEqual((probe.finish(), probe.err), (0, '1 2\n5\n'))

    def test_send_confirms_what_was_read_and_counts_what_was_not(self):
        xc = harness.path('QxApi_XC_SetDbgLevel(1)')  # 3 selections, one with blanks after it
        early = self.start(HOST + ['send', '--timeout', '30', '-'], stdin=harness.typed('{}\n{}  {}\n\t99\n99 99'.format(*xc)))
        time.sleep(0.2)
        self.assertFalse(os.path.exists(PIPE))  # a sender never makes the pipe
        session = self.pipe_session()
        self.assertEqual((early.finish(), session.err), (0, 'QxApi_XC_SetDbgLevel(1)\n'))  # the call came first
        self.assertEqual(session.finish(), 0)
        session = self.pipe_session()
        self.assertEqual(self.run_program(HOST + ['send', '-'], '3 x 99')[1:],
                         ("tulvak send: 'x' is not a selection number; 1 sent before it\n", 2))
        # The second 99 ends the session: what follows stays unread in the pipe.
        sent = self.run_program(HOST + ['send', '99', '99', *map(str, xc)])
        self.assertEqual((sent, session.finish()), (('', GONE.format('it ended'), 1), 0))
        session = self.pipe_session()
        # The selection sent a second after the session ended finds no reader.
        sent = self.run_program(['sh', '-c', '{ echo 99; sleep 1; echo 3; } | "$@" send -', 'sh', *HOST])
        self.assertEqual(sent, ('', GONE.format('it ended'), 1))

    def test_a_session_that_stops_reading_fails_send_after_the_timeout_or_when_it_dies(self):
        session = self.pipe_session()
        os.kill(session.popen.pid, signal.SIGSTOP)  # as a host stuck inside a driver call
        waiting = self.start(HOST + ['send', '2'])
        wait_unread(lambda unread: unread > 0)  # until its line is in the pipe
        # More than the pipe holds: the sender waits for room, as long as the timeout allows.
        for many in (['3'], ['1'] * 40000):
            out, err, status = self.run_program(HOST + ['send', '--timeout', '0.5', *many])
            self.assertEqual((status, 'has not acted on what was sent after 0.5 s' in err), (1, True))
        session.kill()
        self.assertEqual((waiting.finish(), waiting.err), (1, GONE.format('its process is gone')))

    def test_a_sender_stranded_in_a_gone_session_fails_however_the_next_one_comes(self):
        for stop, restart in ((signal.SIGKILL, False), (signal.SIGKILL, True), (signal.SIGSTOP, True)):
            with self.subTest(stop=stop, restart=restart):
                self.fresh_customer()
                session = self.pipe_session()
                os.kill(session.popen.pid, signal.SIGSTOP)
                waiting = self.start(CTL + ['send', '--set', 'VE/off'])
                wait_unread(lambda unread: unread > 0)
                os.kill(session.popen.pid, stop)
                if restart:  # which holds the old pipe open, for relay scripts stranded in it
                    self.pipe_session()
                self.assertEqual(waiting.finish(), 1)
                self.assertIn('not confirmed: the session stopped reading', waiting.err)

    def test_a_line_another_writer_left_open_never_swallows_a_sender_s_first(self):
        path = list(map(str, harness.path('QxApi_XC_SetDbgLevel(2)')))
        back = ['99'] * (len(path) - 1)
        for argv, typed in ((CTL + ['send', *path, *back], ''), (CTL + ['send', '-'], ' '.join(path + back)),
                            (CTL + ['send', '--set', 'XC/SETTIMING'], '')):
            with self.subTest(argv[-1]):
                self.fresh_customer()
                session = self.pipe_session()
                os.kill(session.popen.pid, signal.SIGSTOP)  # so that the sender's lines come right after the text
                harness.write_pipe('7')  # selects nothing at the main menu, but would make 73 of a 3
                sender = self.start(argv, stdin=harness.typed(typed))
                wait_unread(lambda unread: unread > 1)
                os.kill(session.popen.pid, signal.SIGCONT)
                self.assertEqual((sender.finish(), sender.err, session.err), (0, '', 'QxApi_XC_SetDbgLevel(2)\n'))
                self.assertIn('get command 7@begin\n', session.out)

    def test_the_newest_session_gets_every_selection_and_the_older_stops_reading(self):
        older, newer = self.pipe_session(), self.pipe_session()
        older.wait_for(REPORT)
        before = older.out.count(REPORT)
        self.expect_idle(older)
        self.assertIn(older.out.count(REPORT) - before, (1, 2, 3))
        self.send(*map(str, harness.path('opens XC Menu')), *['2'] * 10, '99', '99', '99')
        self.assertEqual((newer.finish(), newer.err), (0, 'QxApi_XC_SetDbgLevel(1)\n' * 10))
        self.assertEqual((older.err, older.out.count('get command')), ('', 0))
        # The state is the newer's, and stays so while the older tries on.
        left = pathlib.Path(STATE).read_text()
        older.wait_for(REPORT + harness.frame('Main Menu') + harness.PIPE_ASK + REPORT, start=len(older.out))
        self.assertEqual((pathlib.Path(STATE).read_text(), f'\npid {newer.popen.pid}\n' in left), (left, True))


def wait_unread(ready):  # until the bytes in the pipe, unread, are ready()
    fd = os.open(PIPE, os.O_RDONLY | os.O_NONBLOCK)  # the session holds it open too: taking nothing out of it
    try:
        while not ready(int.from_bytes(fcntl.ioctl(fd, termios.FIONREAD, bytes(4)), 'little')):
            time.sleep(0.001)
    finally:
        os.close(fd)


class Faults(harness.Test):
    """Each session says what is wrong or shrugs it off, and waits without using the processor."""

    def test_nothing_to_read_is_reported_once_a_second_until_a_pipe_stands_at_the_path(self):
        made = 'tulvak.sh 755=echo $1 > tulvakpipe', harness.STATE
        for fault, before, after, left in (
                ('customer read-only', 'mount -o remount,ro .', 'mount -o remount,rw .', []),
                ('removed', '', 'rm tulvakpipe', [*made]),
                ('regular file', '', 'rm tulvakpipe && sh tulvak.sh 3', [*made, 'tulvakpipe 644=3\n']),
                ('directory', '', 'rm tulvakpipe && mkdir tulvakpipe', [*made, 'tulvakpipe']),
                ('link', '', 'rm tulvakpipe && mkfifo other && ln -s other tulvakpipe', [*made, 'other', 'tulvakpipe'])):
            with self.subTest(fault):
                self.fresh_customer()
                self.run_program(['sh', '-c', 'cd /Customer && ' + (before or 'true')])
                session = self.start(HOST + ['--pipe'])
                session.wait_for(harness.frame('Main Menu') + harness.PIPE_ASK)
                self.run_program(['sh', '-c', 'cd /Customer && ' + after])
                session.wait_for(REPORT + harness.frame('Main Menu'))  # a failed read shows the menu again
                before = len(session.out)
                self.expect_idle(session)
                self.assertIn(session.out[before:].count(REPORT), (1, 2, 3))
                # Nothing was read from or written to what took the pipe's place, and nobody holds it.
                self.assertNotIn('get command', session.out)
                self.assertEqual(harness.snapshot(), sorted(left))
                self.assertFalse(harness.reader_holds('/Customer/other'))
                self.run_program(['sh', '-c', f'rm -rf {PIPE} && mkfifo {PIPE}'])
                harness.write_pipe('3\n')
                session.wait_for('get command 3\n')  # it holds the new pipe in place of the old: 0, 1, 2 and it
                self.assertEqual(len(os.listdir(f'/proc/{session.popen.pid}/fd')), 4)
                harness.write_pipe('99\n99\n')
                self.assertEqual((session.finish(), session.out[-16:]), (0, 'get command 99\n\n'))

    def test_senders_that_write_nothing_or_elsewhere_change_nothing(self):
        session = self.pipe_session()
        os.close(os.open(PIPE, os.O_WRONLY | os.O_NONBLOCK))  # the last writer gone, and nothing written
        self.run_program(['sh', '-c', 'mkdir /Customer/away && cd /Customer/away && sh ../tulvak.sh 3'])  # a file there
        self.expect_idle(session)
        self.send('3', '99', '99')
        self.assertEqual((session.finish(), session.out.count('get command')), (0, 3))
