"""Delivery a farm can trust: send exits 0 only once the session has read
every selection, and says how many it did not; and one session owns the pipe,
so a farm's selections are never split between two."""
import os
import signal
import time

import harness
from harness import HOST, REPORT

NOT_READ = 'tulvak: the session stopped reading; {} of {} selections were not read\n'


class Delivery(harness.Test):
    def test_send_succeeds_once_all_is_read_and_counts_what_the_session_left(self):
        for extra, result in (([], ('', 0)), (['3', '16', '2'], (NOT_READ.format(3, 9), 1))):
            session = self.pipe_session()
            self.assertEqual(self.run_program(HOST + ['send', '3', '32', '2', '99', '99', '99', *extra])[1:], result)
            self.assertEqual(session.err, 'QxApi_XC_SetDbgLevel(1)\n')  # the call came before send's exit
            self.assertEqual(session.finish(10), 0)

    def test_a_session_that_stops_reading_fails_send_after_the_timeout_or_when_it_dies(self):
        session = self.pipe_session()
        os.kill(session.popen.pid, signal.SIGSTOP)  # as a host stuck inside a driver call
        out, err, status = self.run_program(HOST + ['send', '--timeout', '0.5', '3'])
        self.assertEqual((status, 'has not read 1 of 1 selections after 0.5 s' in err), (1, True))
        waiting = self.start(HOST + ['send', '32'])
        time.sleep(0.3)
        session.kill()
        # The timed-out sender's line is still in the pipe, so this one cannot tell exactly.
        self.assertEqual((waiting.finish(10), waiting.err), (1, NOT_READ.format('up to 1', 1)))

    def test_the_newest_session_gets_every_selection_and_the_older_stops_reading(self):
        older, newer = self.pipe_session(), self.pipe_session()
        self.send('3', '32', *['2'] * 10, '99', '99', '99')
        self.assertEqual((newer.finish(10), newer.err), (0, 'QxApi_XC_SetDbgLevel(1)\n' * 10))
        older.wait_for(REPORT)
        before = older.out.count(REPORT)
        self.expect_idle(older)
        self.assertIn(older.out.count(REPORT) - before, (1, 2, 3))
        self.assertEqual((older.err, older.out.count('get command')), ('', 0))
