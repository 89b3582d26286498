"""The console with a person at a terminal or a script at the other end of a
pipe: the prompt there before anyone answers, typed keys echoed, Ctrl-D, and
a signal caught while the reader waits."""
import os
import pty
import select
import time

import harness
from harness import CONSOLE_ASK, HOST, PROBE, frame


class Console(harness.Test):
    def shows(self, fd, text, seen=''):
        while text not in seen:
            self.assertTrue(select.select([fd], [], [], 10)[0], f'{text!r} never came; seen:\n{seen}')
            seen += os.read(fd, 65536).decode('latin-1')
        return seen[seen.index(text) + len(text):]

    def test_the_prompt_is_there_before_anyone_answers_on_a_terminal_or_through_a_pipe(self):
        terminal, device = pty.openpty()
        screen, display = os.pipe()
        # A terminal ends each line with a carriage return too; through a pipe only a flush shows the prompt.
        for output, reader, shown in ((device, terminal, lambda text: text.replace('\n', '\r\n')),
                                      (display, screen, lambda text: text)):
            session = self.start(HOST, stdin=device, stdout=output)
            rest = self.shows(reader, shown(frame('Main Menu') + CONSOLE_ASK))
            os.write(terminal, b'3\n')  # echoed on the terminal right after the prompt
            self.shows(reader, '3\r\n' * (reader == terminal) + shown(frame('Pelvar Utility') + CONSOLE_ASK), rest)
            os.write(terminal, b'\x04')  # Ctrl-D at the start of a line ends the session
            self.assertEqual(session.finish(10), 0)

    def test_a_signal_caught_while_waiting_does_not_end_the_read(self):
        keyboard, keys = os.pipe()
        probe = self.start(PROBE + ['alarm', 'kind=1', 'read=null'], stdin=keyboard)
        time.sleep(0.3)  # many interruptions long before the line
        os.write(keys, b'7\n')
        self.assertEqual((probe.finish(10), probe.err), (0, '1 1\n7\n'))
