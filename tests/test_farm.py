"""The farm's commands: the listing against what sessions show and call, the
menu tables it shows checked, and items sent by name."""
import re
from unittest import mock

import harness
from harness import CTL


class Farm(harness.Test):
    def test_every_listed_item_is_what_a_session_shows_and_calls_on_that_path(self):
        rows = [line.split('\t') for line in self.run_program(CTL + ['list'])[0].splitlines()]
        rows = [(tuple(map(int, path.split())), menu, label, action) for path, menu, label, action in rows]
        menus, title, lines = {}, {path: menu for path, menu, _, _ in rows}, []
        for path, menu, label, action in rows:
            menus.setdefault(menu, []).append((path[-1], label, action))
            lines += [f'[{title[path[:k]]}] {path[k - 1]}' for k in range(1, len(path) + 1)]
            opened = action[6:] if action.startswith('opens ') else None
            lines += [f'[{opened}] 99'] if opened else [('! ' if '(' in action else '> ') + action]
            lines += [f'[{title[path[:k]]}] 99' for k in range(len(path), 1, -1)]
        self.assertEqual(len(menus), len(harness.MENUS))
        # A menu's items all open menus, refuse alike, or call one entry point, each with a value of its own.
        for items in menus.values():
            actions = [action for _, _, action in items]
            calls = [action for action in actions if action.endswith(')')]
            self.assertEqual(len({'opens' if a.startswith('opens ') else a.split('(')[0] for a in actions}), 1)
            self.assertEqual(len(set(calls)), len(calls))
        # The screens expected are drawn from the listing itself.
        with mock.patch.dict(harness.MENUS, menus, clear=True):
            self.replay(harness.Transcript('console: every listed item', lines + ['[Main Menu] 99']), 'console')

    def test_names_choose_items_return_to_the_main_menu_and_send_nothing_unless_each_names_one(self):
        session = self.pipe_session()
        names = ['XC_DBGLEVEL_SETTIMING', 'xc/settiming', 'XC/ISR', 'JPEG/API', 'VE/off', 'YS/ALL', 'SYS/none',
                 'DDC2BI/on', 'Main/Pelvar']
        calls = 'XC_SetDbgLevel(2) XC_SetDbgLevel(2) XC_SetDbgLevel(256) JPEG_SetDbgLevel(1) VE_SetDbgLevel(0) ' \
            'SYS_SetDbgLevel(4) SYS_SetDbgLevel(0)'
        made = lambda: re.sub(r'Qx(Api|Drv)_', '', session.err).split()
        self.assertEqual(self.run_program(CTL + ['send', '--timeout', '5', '--set', *names]), ('', '', 0))
        self.assertEqual(made(), calls.split())  # each call made before send exits
        self.assertEqual(self.run_program(CTL + ['send', '--set', 'VE/on', 'DMX_DBG_NONE'])[2], 2)
        self.send('99')  # the session is back at the main menu
        self.assertEqual((session.finish(10), made(), session.out.count('Not support!')), (0, calls.split(), 1))
