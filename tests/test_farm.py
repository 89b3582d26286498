"""The farm's commands: the listing, which must be the tree sessions show (the
walk replays data/menus.tsv), its menus checked; items sent by name; the paths the pages show."""
import json, re

import harness
from harness import CTL, MENUS


class Farm(harness.Test):
    def test_the_listing_is_every_item_sessions_show_in_the_order_of_the_tree(self):
        expected = []

        def visit(title, path):
            actions = [action for _, _, action in MENUS[title]]
            calls = [action for action in actions if action.endswith(')')]
            # A menu's items all open menus, refuse alike, or call one entry point, each with a value of its own.
            self.assertEqual(len({'opens' if a.startswith('opens ') else a.split('(')[0] for a in actions}), 1)
            self.assertEqual(len(set(calls)), len(calls))
            for number, label, action in MENUS[title]:
                if action.endswith(')'):  # a driver call's label names the setter it calls, and no other
                    self.assertEqual(re.findall(r'\w+_SetDbgLevel', label), [action.split('(')[0]], label)
                expected.append(f"{' '.join(map(str, path + [number]))}\t{title}\t{label}\t{action}\n")
                if action.startswith('opens '):
                    visit(action[6:], path + [number])

        visit('Main Menu', [])
        self.assertEqual(self.run_program(CTL + ['list']), (''.join(expected), '', 0))

    def test_names_choose_items_return_to_the_main_menu_and_send_nothing_unless_each_names_one(self):
        session = self.pipe_session()
        # Each driver call of the tree by its item's short name, MODULE/SHORT as list --json gives it; names of other forms.
        items = json.loads(self.run_program(CTL + ['list', '--json'])[0])
        [self.assertEqual(*harness.documented(doc, items), doc) for doc in harness.DOCS]  # make golden writes them
        listed = [item for item in items if item['action'][-1] == ')']
        self.assertTrue(all(re.fullmatch(r'[A-Z0-9]+/[^/\s]+', item['name']) for item in listed), listed)
        names = 'XC_DBGLEVEL_SETTIMING xc/settiming XC/SETTIMING_ISR XC/SETWINDOW YS/ALL SYS/none DDC2BI/on Main/Pelvar'.split()
        short = lambda calls: re.sub(r'Qx(Api|Drv)_(\w+)_SetDbgLevel', r'\2', calls).split()
        calls = short(' '.join(item['action'] for item in listed) + ' XC(2) XC(2) XC(256) XC(1) SYS(4) SYS(0) XC(8)')
        names, made = [item['name'] for item in listed] + names + ['xc menu/mux'], lambda: short(session.err)
        self.assertEqual(self.run_program(CTL + ['send', '--timeout', '30', '--set', *names]), ('', '', 0))
        self.assertEqual(made(), calls)  # each call made before send exits
        self.assertEqual(self.run_program(CTL + ['send', '--set', 'VE/on', 'DMX_DBG_NONE'])[2], 2)
        self.send('99')  # the session is back at the main menu
        self.assertEqual((session.finish(), made(), session.out.count('Not support!')), (0, calls, 1))
