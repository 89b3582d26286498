"""The console: the prompt there before anyone answers, a signal caught while the reader waits."""
import os
import time

import harness
from harness import CONSOLE_ASK, HOST, PROBE, frame


class Console(harness.Test):
    def test_the_prompt_is_there_before_anyone_answers(self):
        keyboard, keys = os.pipe()
        session = self.start(HOST, stdin=keyboard)
        # Standard output is a file here, as it is a pipe to a script: only a flush shows the prompt.
        session.wait_for(frame('Main Menu') + CONSOLE_ASK)
        os.write(keys, b'99\n')
        self.assertEqual(session.finish(), 0)

    def test_a_signal_caught_while_waiting_does_not_end_the_read(self):
        keyboard, keys = os.pipe()
        probe = self.start(PROBE + ['alarm', 'kind=1', 'read=null'], stdin=keyboard)
        time.sleep(0.3)  # many interruptions long before the line
        os.write(keys, b'7\n')
        self.assertEqual((probe.finish(), probe.err), (0, '1 1\n7\n'))
