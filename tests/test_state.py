"""What a farm sees of the session: send --set from wherever the session stands,
senders that crowd in, and the state tulvakctl status reads back."""
import collections
import json
import os
import random
import re
import threading

import harness
from harness import CTL, PIPE, STATE, STATE_DIR

SET_SENDERS = {'VE/off': 'QxDrv_VE_SetDbgLevel(0)', 'XC/SETTIMING': 'QxApi_XC_SetDbgLevel(2)',
               'JPEG/API': 'QxApi_JPEG_SetDbgLevel(1)', 'YS/ALL': 'QxDrv_SYS_SetDbgLevel(4)',
               'ACE/on': 'QxApi_XC_ACE_SetDbgLevel(1)', 'DMX/NONE': 'QxApi_DMX_SetDbgLevel(0)'}
PATH_SENDERS = ['QxDrv_COPRO_SetDbgLevel(3)', 'QxApi_PNL_SetDbgLevel(1)']


class State(harness.Test):
    ctl = lambda self, *args: self.run_program(CTL + list(args))

    def status(self, *args):
        out, err, code = self.ctl('status', *args)
        return (json.loads(out) if '--json' in args else out), err, code

    def relay(self, *lines):
        for line in lines:
            self.assertEqual(self.run_program(['sh', '-c', 'cd /Customer && sh tulvak.sh ' + line])[2], 0)

    def test_set_chooses_its_item_from_wherever_the_session_stands(self):
        session = self.pipe_session()
        first, *rest = map(str, harness.path('opens XC Menu'))
        harness.write_pipe(first)  # text without a line feed is a selection once the sender pauses
        session.wait_for(f'get command {first}\n' + harness.frame('Pelvar Utility'))
        self.relay(*rest)
        harness.write_pipe('@main')  # without a line feed it is text, and the session stays where it was
        session.wait_for('get command @main\n' + harness.frame('XC Menu'))
        self.assertEqual(self.ctl('send', '--timeout', '30', '--set', 'VE/off'), ('', '', 0))
        self.assertEqual(session.err, 'QxDrv_VE_SetDbgLevel(0)\n')
        self.assertEqual(self.status('--json')[0]['menu'], 'Main Menu')
        self.assertEqual(os.lstat(harness.STATE).st_mode, 0o100644)  # a regular file of the session's own
        self.relay(*map(str, harness.path('opens XC Menu')), '@main')  # how a person recovers the session
        session.wait_for('get command @main\n\n' + harness.frame('Main Menu'))
        self.relay('99')
        self.assertEqual((session.finish(), session.err), (0, 'QxDrv_VE_SetDbgLevel(0)\n'))

    def test_eight_senders_at_once_each_see_their_own_call_made_and_the_session_reads_on(self):
        session = self.pipe_session()
        rounds, failures = 20, []

        def sender(own_call, argv):
            for done in range(1, rounds + 1):
                out, err, code = self.run_program(argv, seconds=60)
                # Its own call has returned before it exits, whatever the others sent meanwhile.
                if (out, err, code) != ('', '', 0) or session.err.count(own_call + '\n') < done:
                    failures.append((argv, done, out, err, code))

        jobs = [(call, CTL + ['send', '--timeout', '30', '--set', name]) for name, call in SET_SENDERS.items()]
        jobs += [(call, CTL + ['send', '--timeout', '30', *map(str, path), *['99'] * (len(path) - 1)])
                 for call in PATH_SENDERS for path in [harness.path(call)]]
        threads = [threading.Thread(target=sender, args=job) for job in jobs]
        [thread.start() for thread in threads]
        [thread.join() for thread in threads]
        self.assertEqual((failures, collections.Counter(session.err.splitlines())), ([], {c: rounds for c, _ in jobs}))
        state, _, code = self.status('--json')
        self.assertEqual((code, state['running'], state['menu']), (0, True, 'Main Menu'))
        self.assertEqual(sorted((c['entry_point'], c['count']) for c in state['calls']),
                         sorted((call.split('(')[0], rounds) for call, _ in jobs))

    def test_status_says_whether_the_session_reads_and_what_it_has_done(self):
        session = self.pipe_session()
        pid = session.popen.pid
        for sent, name in enumerate(['VE/off', 'XC/SETTIMING', 'JPEG/API', 'XC/ISR'], 1):
            self.assertEqual(self.ctl('send', '--timeout', '30', '--set', name)[2], 0)
            state, err, code = self.status('--json')
            self.assertEqual((code, err, state['pid'], state['running'], state['selections'],
                              sum(call['count'] for call in state['calls'])),
                             (0, '', pid, True, session.out.count('get command'), sent))
        last = {c['entry_point']: (c['value'], c['name'], c['count']) for c in state['calls']}
        self.assertEqual(last, {'QxDrv_VE_SetDbgLevel': (0, 'VE/off', 1), 'QxApi_JPEG_SetDbgLevel': (1, 'JPEG/API', 1),
                                'QxApi_XC_SetDbgLevel': (256, 'XC/ISR', 2)})
        self.assertRegex(self.status()[0], rf'^session: pid {pid}, started [-:0-9TZ]+, reading {PIPE}\nmenu: Main Menu\n')
        saved = self.status('--names')[0].split()
        self.assertEqual(sorted(saved), ['JPEG/API', 'VE/off', 'XC/ISR'])

        # By hand, another pipe in its place: the session no longer holds it.
        self.run_program(['sh', '-c', f'rm {PIPE} && mkfifo {PIPE}'])
        self.assertEqual(self.status()[1:], (f'tulvakctl status: pid {pid} does not hold {PIPE}\n', 1))
        session.kill()
        self.assertEqual(self.status()[1:], (f'tulvakctl status: pid {pid} is gone without ending '
                                             '(it crashed or was killed)\n', 1))

        # What the last session left, the next is given back.
        session = self.pipe_session()
        self.assertEqual(self.ctl('send', '--timeout', '30', '--set', *saved)[2], 0)
        restored = {c['entry_point']: (c['value'], c['name']) for c in self.status('--json')[0]['calls']}
        self.assertEqual(restored, {entry: (value, name) for entry, (value, name, _) in last.items()})
        self.relay('99')
        self.assertEqual(session.finish(), 0)
        out, err, code = self.status('--json')
        self.assertEqual((code, out['running'], out['pid']), (1, False, session.popen.pid))
        self.assertRegex(err, rf'^tulvakctl status: the session of pid {session.popen.pid} ended at [-:0-9TZ]+\n$')

    def test_whatever_others_write_set_still_chooses_exactly_its_item(self):
        session = self.pipe_session()
        rng = random.Random(2026)
        pieces = ['@main', '@main\n', '@mark=', '@mark=x\n', '@mai\n', '\0', '\n', ' ', '-', '+', 'x', '@m']
        stream = ''.join(rng.choice(pieces + [str(rng.randint(1, 40)), ''.join(chr(rng.randrange(256)) for _ in '123')])
                         + rng.choice(['', '\n']) for _ in range(600))
        # Any line that a 99 would end the session with is left out.
        lines = [re.sub(r'^[ \t\v\f\r]*[+-]?0*99(?!\d).*', 'x', line, flags=re.S) for line in stream.split('\n')]
        harness.write_pipe('\n'.join(lines))
        self.assertEqual(self.ctl('send', '--timeout', '30', '--set', 'VE/off')[2], 0)
        self.assertEqual(session.err.splitlines()[-1], 'QxDrv_VE_SetDbgLevel(0)')
        self.assertGreater(session.out.count('get command'), 300)
        self.assertEqual(self.status()[2], 0)

    def test_what_the_session_wrote_for_a_sender_is_out_before_the_sender_exits(self):
        session = self.pipe_session()
        for done in range(1, 51):
            self.assertEqual(self.ctl('send', '--set', 'AVD_DBGLV_INFO'), ('', '', 0))
            self.assertEqual(session.out.count('Not support!'), done)

    def test_an_older_session_never_replaces_the_state_of_the_newer(self):
        for _ in range(40):
            self.fresh_customer()
            older = self.pipe_session()
            flood = self.start(['sh', '-c', f'while :; do echo 0; done > {PIPE}'])  # a state written for each line
            older.wait_for('get command 0')
            newer = self.pipe_session()
            [process.kill() for process in (older, flood)]  # what the older was writing is written by now, or never
            with open(STATE) as state:
                self.assertIn(f'\npid {newer.popen.pid}\n', state.read())
            newer.kill()

    def test_a_state_that_cannot_be_written_fails_senders_at_once(self):
        for fault, command in (('read-only', f'mount -o remount,ro {STATE_DIR}'), ('full', f'cat /dev/zero > {STATE_DIR}/x')):
            with self.subTest(fault):
                self.fresh_customer()
                session = self.pipe_session()
                self.run_program(['sh', '-c', command])
                out, err, code = self.ctl('send', '--timeout', '30', '--set', 'VE/off')
                self.assertEqual(session.err, 'QxDrv_VE_SetDbgLevel(0)\n')  # made, whether or not it can be confirmed
                # Full, the state may have been written once more, since the session removed the one it could not replace.
                self.assertIn((code, err), [(0, ''), (1, 'tulvakctl send: not confirmed: the session cannot write its state '
                                                          f'({STATE_DIR} is full)\n'), (1, 'tulvakctl send: not confirmed: its state is gone\n')]
                              if fault == 'full' else [(1, 'tulvakctl send: not confirmed: the session cannot write its '
                                                           f'state ({STATE_DIR} is read-only)\n')])
                if fault == 'read-only':  # the state it shows may be behind the session, which said so once
                    self.assertEqual(session.out.count("cannot keep the session's state"), 1)
                    self.assertEqual(self.status()[1:], (f'tulvakctl status: pid {session.popen.pid} cannot write its state, '
                                                         f'so it may have changed since ({STATE_DIR} is read-only)\n', 1))
        harness.mount('tulvak-test', os.path.dirname(STATE_DIR), 'tmpfs', flags=1)  # read-only, and no folder in it
        self.addCleanup(harness.libc.umount2, os.path.dirname(STATE_DIR).encode(), 2)
        session = self.pipe_session()
        self.assertIn(f"cannot keep the session's state in {STATE_DIR}: No such file or directory\n", session.out)
        self.assertEqual(self.ctl('send', '3')[1:], (f'tulvakctl send: the session reading {PIPE} keeps no state in '
                                                     f'{STATE_DIR} (it is missing); nothing sent\n', 1))

    def test_set_sends_nothing_to_a_session_of_another_tree_and_numbers_still_go(self):
        session = self.pipe_session()
        with open(STATE) as state:
            foreign = re.sub(r'\ntree \w+\n', '\ntree 0123456789abcdef\n', state.read())
        with open(STATE, 'w') as state:
            state.write(foreign)
        out, err, code = self.ctl('send', '--set', 'VE/off')
        self.assertEqual((code, session.err), (1, ''))
        self.assertRegex(err, r"^tulvakctl send: the session's menus are another tree than this tulvakctl's \(0123456789abcdef, "
                              r'here [0-9a-f]{16}\), where a name may choose another item; nothing sent\n$')
        self.assertEqual(self.ctl('send', *map(str, harness.path('QxDrv_VE_SetDbgLevel(0)')), '99', '99'), ('', '', 0))
        self.assertEqual(session.err, 'QxDrv_VE_SetDbgLevel(0)\n')

