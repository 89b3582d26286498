"""The pipe-driven platform as farms use it: senders that pause, crowd in,
come too early or too late, and a reader whose pipe is closed behind its back."""
import os
import random
import stat
import time

import harness
from harness import HOST, PIPE, PROBE


class Pipe(harness.Test):
    def test_after_the_session_a_relay_script_waits_and_send_says_nobody_reads(self):
        session = self.pipe_session()
        self.send('99')
        self.assertEqual(session.finish(10), 0)
        self.assertEqual(stat.S_IMODE(os.stat(PIPE).st_mode), 0o777)  # set before the wait, whatever the umask
        late = self.start(['sh', '-c', 'cd /Customer && sh tulvak.sh 3'])
        time.sleep(0.5)
        self.assertIsNone(late.popen.poll())
        no_session = 'tulvak: no pipe-driven session is reading /Customer/tulvakpipe\n'
        self.assertEqual(self.run_program(HOST + ['send', '3']), ('', no_session, 1))
        session = self.pipe_session()  # lets the script finish, and drops its selection
        self.assertEqual(late.finish(1), 0)
        self.send('99')
        self.assertEqual((session.finish(10), session.out.count('get command')), (0, 1))

    def test_text_without_a_line_feed_is_a_selection_once_the_sender_pauses(self):
        session = self.pipe_session()
        harness.write_pipe('3')
        session.wait_for('get command 3\n' + harness.frame('Pelvar Utility'))
        harness.write_pipe('99\n99\n')
        self.assertEqual(session.finish(10), 0)

    def test_no_selection_is_lost_among_four_relay_loops(self):
        session = self.pipe_session()
        self.send('3', '32')
        # Each loop has two scaler items of its own, so its calls can be told apart and checked in order.
        rng, expected, loops = random.Random(12345), [], []
        for sender in range(4):
            items = [2 + 2 * sender + rng.randrange(2) for _ in range(500)]
            expected.append([f'QxApi_XC_SetDbgLevel({1 << (item - 2)})' for item in items])
            loops.append(self.start(['sh', '-c', 'cd /Customer && for n in $1; do sh tulvak.sh $n || exit 1; done',
                                     'loop', ' '.join(map(str, items))]))
        self.assertEqual([loop.finish(120) for loop in loops], [0] * 4)
        self.send('99', '99', '99')
        self.assertEqual(session.finish(10), 0)
        calls = session.err.splitlines()
        self.assertEqual(len(calls), 2000)
        for own in expected:
            self.assertEqual([call for call in calls if call in set(own)], own)

    def test_a_reader_whose_pipe_is_closed_behind_its_back_takes_it_up_again(self):
        probe = self.start(PROBE + ['kind=2', 'closepipe', 'read=null'])
        self.send('5')
        self.assertEqual((probe.finish(10), probe.err), (0, '1 2\n5\n'))

    def test_send_waits_for_a_session_and_says_what_it_could_not_send(self):
        early = self.start(HOST + ['send', '--timeout', '10', '-'], stdin=harness.typed('3\n32  2\n\t99\n99 99'))
        time.sleep(0.2)
        self.assertFalse(os.path.exists(PIPE))  # a sender never makes the pipe
        session = self.pipe_session()
        self.assertEqual(early.finish(10), 0)
        self.assertEqual((session.finish(10), session.err), (0, 'QxApi_XC_SetDbgLevel(1)\n'))
        session = self.pipe_session()
        sent = self.run_program(['sh', '-c', 'echo 3 x 99 | "$@" send -', 'sh', *HOST])
        self.assertEqual(sent, ('', "tulvak: 'x' is not a selection number; 1 sent before it\n", 2))
        # 99 twice ends the session; the selection sent a second later finds no reader.
        sent = self.run_program(['sh', '-c', '{ echo 99 99; sleep 1; echo 3; } | "$@" send -', 'sh', *HOST])
        self.assertEqual(sent, ('', "tulvak: the session stopped reading; 1 of 3 selections were not read\n", 1))
        self.assertEqual(session.finish(10), 0)
