"""Every transcript of data/sessions.txt, and the walk through every menu and
item, on each platform it names."""
import os
import unittest

import harness


class Sessions(harness.Test):
    def replay_all(self, platform):
        for case in harness.transcripts('sessions.txt') + [harness.walk()]:
            if platform in case.platforms:
                with self.subTest(case.header):
                    self.replay(case, platform)

    test_console = lambda self: self.replay_all('console')
    test_pipe = lambda self: self.replay_all('pipe')
    test_relay_and_send = lambda self: [self.replay_all('relay'), self.replay_all('send')]
    test_memcheck = unittest.skipUnless(os.environ.get('TULVAK_VALGRIND'), 'no valgrind for this build')(
        lambda self: self.replay_all('memcheck'))
