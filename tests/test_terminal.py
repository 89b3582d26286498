"""The console as a person or a script at the other end of a terminal or a
pipe sees it: the prompt there before anyone answers, typed keys echoed,
Ctrl-D and signals."""
import os
import pty
import select
import time

import harness
from harness import CONSOLE_ASK, HOST, PROBE, frame


class Console(harness.Test):
    def read_until(self, fd, text, seen=''):
        while text not in seen:
            self.assertTrue(select.select([fd], [], [], 10)[0], f'{text!r} never came; seen:\n{seen}')
            seen += os.read(fd, 65536).decode('latin-1')
        return seen[seen.index(text) + len(text):]

    def test_on_a_terminal(self):
        terminal, device = pty.openpty()
        session = self.start(HOST, stdin=device, stdout=device, stderr=device)
        os.close(device)
        shown = lambda text: text.replace('\n', '\r\n')  # the terminal ends each line with a carriage return
        rest = self.read_until(terminal, shown(frame('Main Menu') + CONSOLE_ASK))
        os.write(terminal, b'3\n')  # echoed right after the prompt
        rest = self.read_until(terminal, '3\r\n' + shown(frame('Pelvar Utility') + CONSOLE_ASK), rest)
        os.write(terminal, b'32\n2\n')
        self.read_until(terminal, 'QxApi_XC_SetDbgLevel(1)\r\n', rest)
        os.write(terminal, b'\x04')  # Ctrl-D at the start of a line
        self.assertEqual(session.finish(10), 0)
        os.close(terminal)

    def test_prompt_reaches_a_script_reading_through_a_pipe_before_it_answers(self):
        keyboard, keys = os.pipe()
        screen, display = os.pipe()
        session = self.start(HOST, stdin=keyboard, stdout=display)
        os.close(keyboard)
        os.close(display)
        self.read_until(screen, frame('Main Menu') + CONSOLE_ASK)
        os.write(keys, b'99\n')
        self.assertEqual(session.finish(10), 0)
        os.close(keys)
        os.close(screen)

    def test_a_signal_caught_while_waiting_does_not_end_the_read(self):
        keyboard, keys = os.pipe()
        probe = self.start(PROBE + ['alarm', 'kind=1', 'read=null'], stdin=keyboard)
        os.close(keyboard)
        time.sleep(0.3)  # many interruptions long before the line
        os.write(keys, b'7\n')
        self.assertEqual((probe.finish(10), probe.err), (0, '1 1\n7\n'))
        os.close(keys)
